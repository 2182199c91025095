#include "richtext/layout/RPUni.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <iterator>

namespace {

struct TRPULineBreakRange {
  char16_t First;
  char16_t Last;
  uint8_t Class;
};

constexpr char16_t Space = u' ';

// The class table, class by class and range by range in the order it was drawn
// up, so that it can be checked against that list line by line. Everything absent
// is AL. The lookup needs it ordered by code unit; that is done below, at compile
// time, together with a check that no two ranges overlap.
// clang-format off
constexpr TRPULineBreakRange ListedRanges[] = {
  // OB
  {0x0028, 0x0028, rpu_lb_OB}, {0x005B, 0x005B, rpu_lb_OB}, {0x007B, 0x007B, rpu_lb_OB},
  // OP
  {0x0F3A, 0x0F3A, rpu_lb_OP}, {0x0F3C, 0x0F3C, rpu_lb_OP}, {0x169B, 0x169B, rpu_lb_OP},
  {0x201A, 0x201A, rpu_lb_OP}, {0x201E, 0x201E, rpu_lb_OP}, {0x2045, 0x2045, rpu_lb_OP},
  {0x207D, 0x207D, rpu_lb_OP}, {0x208D, 0x208D, rpu_lb_OP}, {0x2329, 0x2329, rpu_lb_OP},
  {0x23B4, 0x23B4, rpu_lb_OP}, {0x2768, 0x2768, rpu_lb_OP}, {0x276A, 0x276A, rpu_lb_OP},
  {0x276C, 0x276C, rpu_lb_OP}, {0x276E, 0x276E, rpu_lb_OP}, {0x2770, 0x2770, rpu_lb_OP},
  {0x2772, 0x2772, rpu_lb_OP}, {0x2774, 0x2774, rpu_lb_OP}, {0x27E6, 0x27E6, rpu_lb_OP},
  {0x27E8, 0x27E8, rpu_lb_OP}, {0x27EA, 0x27EA, rpu_lb_OP}, {0x2983, 0x2983, rpu_lb_OP},
  {0x2985, 0x2985, rpu_lb_OP}, {0x2987, 0x2987, rpu_lb_OP}, {0x2989, 0x2989, rpu_lb_OP},
  {0x298B, 0x298B, rpu_lb_OP}, {0x298D, 0x298D, rpu_lb_OP}, {0x298F, 0x298F, rpu_lb_OP},
  {0x2991, 0x2991, rpu_lb_OP}, {0x2993, 0x2993, rpu_lb_OP}, {0x2995, 0x2995, rpu_lb_OP},
  {0x2997, 0x2997, rpu_lb_OP}, {0x29D8, 0x29D8, rpu_lb_OP}, {0x29DA, 0x29DA, rpu_lb_OP},
  {0x29FC, 0x29FC, rpu_lb_OP}, {0x3008, 0x3008, rpu_lb_OP}, {0x300A, 0x300A, rpu_lb_OP},
  {0x300C, 0x300C, rpu_lb_OP}, {0x300E, 0x300E, rpu_lb_OP}, {0x3010, 0x3010, rpu_lb_OP},
  {0x3014, 0x3014, rpu_lb_OP}, {0x3016, 0x3016, rpu_lb_OP}, {0x3018, 0x3018, rpu_lb_OP},
  {0x301A, 0x301A, rpu_lb_OP}, {0x301D, 0x301D, rpu_lb_OP}, {0xFD3E, 0xFD3E, rpu_lb_OP},
  {0xFE35, 0xFE35, rpu_lb_OP}, {0xFE37, 0xFE37, rpu_lb_OP}, {0xFE39, 0xFE39, rpu_lb_OP},
  {0xFE3B, 0xFE3B, rpu_lb_OP}, {0xFE3D, 0xFE3D, rpu_lb_OP}, {0xFE3F, 0xFE3F, rpu_lb_OP},
  {0xFE41, 0xFE41, rpu_lb_OP}, {0xFE43, 0xFE43, rpu_lb_OP}, {0xFE59, 0xFE59, rpu_lb_OP},
  {0xFE5B, 0xFE5B, rpu_lb_OP}, {0xFE5D, 0xFE5D, rpu_lb_OP}, {0xFF08, 0xFF08, rpu_lb_OP},
  {0xFF3B, 0xFF3B, rpu_lb_OP}, {0xFF5B, 0xFF5B, rpu_lb_OP}, {0xFF5F, 0xFF5F, rpu_lb_OP},
  {0xFF62, 0xFF62, rpu_lb_OP},
  // CL
  {0x0029, 0x0029, rpu_lb_CL}, {0x005D, 0x005D, rpu_lb_CL}, {0x007D, 0x007D, rpu_lb_CL},
  {0x0F3B, 0x0F3B, rpu_lb_CL}, {0x0F3D, 0x0F3D, rpu_lb_CL}, {0x169C, 0x169C, rpu_lb_CL},
  {0x2046, 0x2046, rpu_lb_CL}, {0x207E, 0x207E, rpu_lb_CL}, {0x208E, 0x208E, rpu_lb_CL},
  {0x232A, 0x232A, rpu_lb_CL}, {0x23B5, 0x23B5, rpu_lb_CL}, {0x2769, 0x2769, rpu_lb_CL},
  {0x276B, 0x276B, rpu_lb_CL}, {0x276D, 0x276D, rpu_lb_CL}, {0x276F, 0x276F, rpu_lb_CL},
  {0x2771, 0x2771, rpu_lb_CL}, {0x2773, 0x2773, rpu_lb_CL}, {0x2775, 0x2775, rpu_lb_CL},
  {0x27E7, 0x27E7, rpu_lb_CL}, {0x27E9, 0x27E9, rpu_lb_CL}, {0x27EB, 0x27EB, rpu_lb_CL},
  {0x2984, 0x2984, rpu_lb_CL}, {0x2986, 0x2986, rpu_lb_CL}, {0x2988, 0x2988, rpu_lb_CL},
  {0x298A, 0x298A, rpu_lb_CL}, {0x298C, 0x298C, rpu_lb_CL}, {0x298E, 0x298E, rpu_lb_CL},
  {0x2990, 0x2990, rpu_lb_CL}, {0x2992, 0x2992, rpu_lb_CL}, {0x2994, 0x2994, rpu_lb_CL},
  {0x2996, 0x2996, rpu_lb_CL}, {0x2998, 0x2998, rpu_lb_CL}, {0x29D9, 0x29D9, rpu_lb_CL},
  {0x29DB, 0x29DB, rpu_lb_CL}, {0x29FD, 0x29FD, rpu_lb_CL}, {0x3001, 0x3002, rpu_lb_CL},
  {0x3009, 0x3009, rpu_lb_CL}, {0x300B, 0x300B, rpu_lb_CL}, {0x300D, 0x300D, rpu_lb_CL},
  {0x300F, 0x300F, rpu_lb_CL}, {0x3011, 0x3011, rpu_lb_CL}, {0x3015, 0x3015, rpu_lb_CL},
  {0x3017, 0x3017, rpu_lb_CL}, {0x3019, 0x3019, rpu_lb_CL}, {0x301B, 0x301B, rpu_lb_CL},
  {0x301E, 0x301F, rpu_lb_CL}, {0xFD3F, 0xFD3F, rpu_lb_CL}, {0xFE36, 0xFE36, rpu_lb_CL},
  {0xFE38, 0xFE38, rpu_lb_CL}, {0xFE3A, 0xFE3A, rpu_lb_CL}, {0xFE3C, 0xFE3C, rpu_lb_CL},
  {0xFE3E, 0xFE3E, rpu_lb_CL}, {0xFE40, 0xFE40, rpu_lb_CL}, {0xFE42, 0xFE42, rpu_lb_CL},
  {0xFE44, 0xFE44, rpu_lb_CL}, {0xFE50, 0xFE50, rpu_lb_CL}, {0xFE52, 0xFE52, rpu_lb_CL},
  {0xFE5A, 0xFE5A, rpu_lb_CL}, {0xFE5C, 0xFE5C, rpu_lb_CL}, {0xFE5E, 0xFE5E, rpu_lb_CL},
  {0xFF09, 0xFF09, rpu_lb_CL}, {0xFF0C, 0xFF0C, rpu_lb_CL}, {0xFF0E, 0xFF0E, rpu_lb_CL},
  {0xFF3D, 0xFF3D, rpu_lb_CL}, {0xFF5D, 0xFF5D, rpu_lb_CL}, {0xFF60, 0xFF61, rpu_lb_CL},
  {0xFF63, 0xFF64, rpu_lb_CL},
  // QU
  {0x0022, 0x0022, rpu_lb_QU}, {0x0027, 0x0027, rpu_lb_QU}, {0x00AB, 0x00AB, rpu_lb_QU},
  {0x00BB, 0x00BB, rpu_lb_QU}, {0x2018, 0x2019, rpu_lb_QU}, {0x201B, 0x201D, rpu_lb_QU},
  {0x201F, 0x201F, rpu_lb_QU}, {0x2039, 0x203A, rpu_lb_QU}, {0x23B6, 0x23B6, rpu_lb_QU},
  {0x275B, 0x275E, rpu_lb_QU},
  // GL
  {0x0024, 0x0024, rpu_lb_GL}, {0x00A0, 0x00A0, rpu_lb_GL}, {0x0F0C, 0x0F0C, rpu_lb_GL},
  {0x2007, 0x2007, rpu_lb_GL}, {0x2011, 0x2011, rpu_lb_GL}, {0x202F, 0x202F, rpu_lb_GL},
  {0x2060, 0x2060, rpu_lb_GL}, {0xFEFF, 0xFEFF, rpu_lb_GL},
  // NS
  {0x0E5A, 0x0E5B, rpu_lb_NS}, {0x17D4, 0x17D4, rpu_lb_NS}, {0x17D6, 0x17DA, rpu_lb_NS},
  {0x203C, 0x203C, rpu_lb_NS}, {0x2044, 0x2044, rpu_lb_NS}, {0x3005, 0x3005, rpu_lb_NS},
  {0x301C, 0x301C, rpu_lb_NS}, {0x303B, 0x303C, rpu_lb_NS}, {0x3041, 0x3041, rpu_lb_NS},
  {0x3043, 0x3043, rpu_lb_NS}, {0x3045, 0x3045, rpu_lb_NS}, {0x3047, 0x3047, rpu_lb_NS},
  {0x3049, 0x3049, rpu_lb_NS}, {0x3063, 0x3063, rpu_lb_NS}, {0x3083, 0x3083, rpu_lb_NS},
  {0x3085, 0x3085, rpu_lb_NS}, {0x3087, 0x3087, rpu_lb_NS}, {0x308E, 0x308E, rpu_lb_NS},
  {0x3095, 0x3096, rpu_lb_NS}, {0x309B, 0x309E, rpu_lb_NS}, {0x30A0, 0x30A1, rpu_lb_NS},
  {0x30A3, 0x30A3, rpu_lb_NS}, {0x30A5, 0x30A5, rpu_lb_NS}, {0x30A7, 0x30A7, rpu_lb_NS},
  {0x30A9, 0x30A9, rpu_lb_NS}, {0x30C3, 0x30C3, rpu_lb_NS}, {0x30E3, 0x30E3, rpu_lb_NS},
  {0x30E5, 0x30E5, rpu_lb_NS}, {0x30E7, 0x30E7, rpu_lb_NS}, {0x30EE, 0x30EE, rpu_lb_NS},
  {0x30F5, 0x30F6, rpu_lb_NS}, {0x30FB, 0x30FB, rpu_lb_NS}, {0x30FD, 0x30FD, rpu_lb_NS},
  {0x31F0, 0x31FF, rpu_lb_NS}, {0xFE54, 0xFE55, rpu_lb_NS}, {0xFF1A, 0xFF1B, rpu_lb_NS},
  {0xFF65, 0xFF65, rpu_lb_NS}, {0xFF67, 0xFF70, rpu_lb_NS}, {0xFF9E, 0xFF9F, rpu_lb_NS},
  // EX
  {0x003F, 0x003F, rpu_lb_EX}, {0x2762, 0x2763, rpu_lb_EX}, {0xFE56, 0xFE57, rpu_lb_EX},
  {0xFF01, 0xFF01, rpu_lb_EX}, {0xFF1F, 0xFF1F, rpu_lb_EX},
  // SY
  {0x002F, 0x002F, rpu_lb_SY},
  // IS: no code unit
  // PR
  {0x002B, 0x002B, rpu_lb_PR}, {0x005C, 0x005C, rpu_lb_PR}, {0x00A3, 0x00A5, rpu_lb_PR},
  {0x00B1, 0x00B1, rpu_lb_PR}, {0x09F2, 0x09F3, rpu_lb_PR}, {0x0E3F, 0x0E3F, rpu_lb_PR},
  {0x17DB, 0x17DB, rpu_lb_PR}, {0x20A0, 0x20A6, rpu_lb_PR}, {0x20A8, 0x20B1, rpu_lb_PR},
  {0x2116, 0x2116, rpu_lb_PR}, {0x2212, 0x2213, rpu_lb_PR}, {0xFE69, 0xFE69, rpu_lb_PR},
  {0xFF04, 0xFF04, rpu_lb_PR}, {0xFFE1, 0xFFE1, rpu_lb_PR}, {0xFFE5, 0xFFE6, rpu_lb_PR},
  // PO
  {0x0025, 0x0025, rpu_lb_PO}, {0x00A2, 0x00A2, rpu_lb_PO}, {0x00B0, 0x00B0, rpu_lb_PO},
  {0x2030, 0x2037, rpu_lb_PO}, {0x20A7, 0x20A7, rpu_lb_PO}, {0x2103, 0x2103, rpu_lb_PO},
  {0x2109, 0x2109, rpu_lb_PO}, {0x2126, 0x2126, rpu_lb_PO}, {0xFDFC, 0xFDFC, rpu_lb_PO},
  {0xFE6A, 0xFE6A, rpu_lb_PO}, {0xFF05, 0xFF05, rpu_lb_PO}, {0xFFE0, 0xFFE0, rpu_lb_PO},
  // NU
  {0x0030, 0x0039, rpu_lb_NU}, {0x0660, 0x0669, rpu_lb_NU}, {0x06F0, 0x06F9, rpu_lb_NU},
  {0x0966, 0x096F, rpu_lb_NU}, {0x09E6, 0x09EF, rpu_lb_NU}, {0x0A66, 0x0A6F, rpu_lb_NU},
  {0x0AE6, 0x0AEF, rpu_lb_NU}, {0x0B66, 0x0B6F, rpu_lb_NU}, {0x0BE7, 0x0BEF, rpu_lb_NU},
  {0x0C66, 0x0C6F, rpu_lb_NU}, {0x0CE6, 0x0CEF, rpu_lb_NU}, {0x0D66, 0x0D6F, rpu_lb_NU},
  {0x0E50, 0x0E59, rpu_lb_NU}, {0x0ED0, 0x0ED9, rpu_lb_NU}, {0x0F20, 0x0F29, rpu_lb_NU},
  {0x1040, 0x1049, rpu_lb_NU}, {0x1369, 0x1371, rpu_lb_NU}, {0x17E0, 0x17E9, rpu_lb_NU},
  {0x1810, 0x1819, rpu_lb_NU},
  // SP (sentence punctuation; the space itself is AL)
  {0x0021, 0x0021, rpu_lb_SP}, {0x002C, 0x002C, rpu_lb_SP}, {0x002E, 0x002E, rpu_lb_SP},
  {0x003A, 0x003B, rpu_lb_SP}, {0x0589, 0x0589, rpu_lb_SP},
  // ID
  {0x1100, 0x1159, rpu_lb_ID}, {0x115F, 0x115F, rpu_lb_ID}, {0x2E80, 0x2E99, rpu_lb_ID},
  {0x2E9B, 0x2EF3, rpu_lb_ID}, {0x2F00, 0x2FD5, rpu_lb_ID}, {0x2FF0, 0x2FFB, rpu_lb_ID},
  {0x3000, 0x3000, rpu_lb_ID}, {0x3003, 0x3004, rpu_lb_ID}, {0x3006, 0x3007, rpu_lb_ID},
  {0x3012, 0x3013, rpu_lb_ID}, {0x3020, 0x3029, rpu_lb_ID}, {0x3030, 0x303A, rpu_lb_ID},
  {0x303D, 0x303F, rpu_lb_ID}, {0x3042, 0x3042, rpu_lb_ID}, {0x3044, 0x3044, rpu_lb_ID},
  {0x3046, 0x3046, rpu_lb_ID}, {0x3048, 0x3048, rpu_lb_ID}, {0x304A, 0x3062, rpu_lb_ID},
  {0x3064, 0x3082, rpu_lb_ID}, {0x3084, 0x3084, rpu_lb_ID}, {0x3086, 0x3086, rpu_lb_ID},
  {0x3088, 0x308D, rpu_lb_ID}, {0x308F, 0x3094, rpu_lb_ID}, {0x309F, 0x309F, rpu_lb_ID},
  {0x30A2, 0x30A2, rpu_lb_ID}, {0x30A4, 0x30A4, rpu_lb_ID}, {0x30A6, 0x30A6, rpu_lb_ID},
  {0x30A8, 0x30A8, rpu_lb_ID}, {0x30AA, 0x30C2, rpu_lb_ID}, {0x30C4, 0x30E2, rpu_lb_ID},
  {0x30E4, 0x30E4, rpu_lb_ID}, {0x30E6, 0x30E6, rpu_lb_ID}, {0x30E8, 0x30ED, rpu_lb_ID},
  {0x30EF, 0x30F4, rpu_lb_ID}, {0x30F7, 0x30FA, rpu_lb_ID}, {0x30FC, 0x30FC, rpu_lb_ID},
  {0x30FE, 0x30FF, rpu_lb_ID}, {0x3105, 0x312C, rpu_lb_ID}, {0x3131, 0x318E, rpu_lb_ID},
  {0x3190, 0x31B7, rpu_lb_ID}, {0x3200, 0x321C, rpu_lb_ID}, {0x3220, 0x3243, rpu_lb_ID},
  {0x3251, 0x327B, rpu_lb_ID}, {0x327F, 0x32CB, rpu_lb_ID}, {0x32D0, 0x32FE, rpu_lb_ID},
  {0x3300, 0x3376, rpu_lb_ID}, {0x337B, 0x33DD, rpu_lb_ID}, {0x33E0, 0x33FE, rpu_lb_ID},
  {0x3400, 0x4DB5, rpu_lb_ID}, {0x4E00, 0x9FA5, rpu_lb_ID}, {0xA000, 0xA48C, rpu_lb_ID},
  {0xA490, 0xA4C6, rpu_lb_ID}, {0xAC00, 0xD7A3, rpu_lb_ID}, {0xF900, 0xFA2D, rpu_lb_ID},
  {0xFA30, 0xFA6A, rpu_lb_ID}, {0xFE30, 0xFE34, rpu_lb_ID}, {0xFE45, 0xFE46, rpu_lb_ID},
  {0xFE49, 0xFE4F, rpu_lb_ID}, {0xFE51, 0xFE51, rpu_lb_ID}, {0xFE58, 0xFE58, rpu_lb_ID},
  {0xFE5F, 0xFE66, rpu_lb_ID}, {0xFE68, 0xFE68, rpu_lb_ID}, {0xFE6B, 0xFE6B, rpu_lb_ID},
  {0xFF02, 0xFF03, rpu_lb_ID}, {0xFF06, 0xFF07, rpu_lb_ID}, {0xFF0A, 0xFF0B, rpu_lb_ID},
  {0xFF0D, 0xFF0D, rpu_lb_ID}, {0xFF0F, 0xFF19, rpu_lb_ID}, {0xFF1C, 0xFF1E, rpu_lb_ID},
  {0xFF20, 0xFF3A, rpu_lb_ID}, {0xFF3C, 0xFF3C, rpu_lb_ID}, {0xFF3E, 0xFF5A, rpu_lb_ID},
  {0xFF5C, 0xFF5C, rpu_lb_ID}, {0xFF5E, 0xFF5E, rpu_lb_ID}, {0xFFE2, 0xFFE4, rpu_lb_ID},
  // IN
  {0x2024, 0x2026, rpu_lb_IN},
  // HY
  {0x002D, 0x002D, rpu_lb_HY},
  // BA
  {0x0009, 0x0009, rpu_lb_BA}, {0x007C, 0x007C, rpu_lb_BA}, {0x00AD, 0x00AD, rpu_lb_BA},
  {0x058A, 0x058A, rpu_lb_BA}, {0x0F0B, 0x0F0B, rpu_lb_BA}, {0x1361, 0x1361, rpu_lb_BA},
  {0x1680, 0x1680, rpu_lb_BA}, {0x17D5, 0x17D5, rpu_lb_BA}, {0x2000, 0x2006, rpu_lb_BA},
  {0x2008, 0x200A, rpu_lb_BA}, {0x2010, 0x2010, rpu_lb_BA}, {0x2012, 0x2013, rpu_lb_BA},
  {0x2027, 0x2027, rpu_lb_BA}, {0x205F, 0x205F, rpu_lb_BA},
  // BB
  {0x00B4, 0x00B4, rpu_lb_BB}, {0x02C8, 0x02C8, rpu_lb_BB}, {0x02CC, 0x02CC, rpu_lb_BB},
  {0x1806, 0x1806, rpu_lb_BB},
  // B2
  {0x2014, 0x2014, rpu_lb_B2},
  // ZW
  {0x200B, 0x200B, rpu_lb_ZW},
  // CM
  {0x0000, 0x0008, rpu_lb_CM}, {0x000B, 0x000B, rpu_lb_CM}, {0x000E, 0x001F, rpu_lb_CM},
  {0x007F, 0x009F, rpu_lb_CM}, {0x0300, 0x034F, rpu_lb_CM}, {0x0360, 0x036F, rpu_lb_CM},
  {0x0483, 0x0486, rpu_lb_CM}, {0x0488, 0x0489, rpu_lb_CM}, {0x0591, 0x05A1, rpu_lb_CM},
  {0x05A3, 0x05B9, rpu_lb_CM}, {0x05BB, 0x05BD, rpu_lb_CM}, {0x05BF, 0x05BF, rpu_lb_CM},
  {0x05C1, 0x05C2, rpu_lb_CM}, {0x05C4, 0x05C4, rpu_lb_CM}, {0x064B, 0x0655, rpu_lb_CM},
  {0x0670, 0x0670, rpu_lb_CM}, {0x06D6, 0x06E4, rpu_lb_CM}, {0x06E7, 0x06E8, rpu_lb_CM},
  {0x06EA, 0x06ED, rpu_lb_CM}, {0x070F, 0x070F, rpu_lb_CM}, {0x0711, 0x0711, rpu_lb_CM},
  {0x0730, 0x074A, rpu_lb_CM}, {0x07A6, 0x07B0, rpu_lb_CM}, {0x0901, 0x0903, rpu_lb_CM},
  {0x093C, 0x093C, rpu_lb_CM}, {0x093E, 0x094D, rpu_lb_CM}, {0x0951, 0x0954, rpu_lb_CM},
  {0x0962, 0x0963, rpu_lb_CM}, {0x0981, 0x0983, rpu_lb_CM}, {0x09BC, 0x09BC, rpu_lb_CM},
  {0x09BE, 0x09C4, rpu_lb_CM}, {0x09C7, 0x09C8, rpu_lb_CM}, {0x09CB, 0x09CD, rpu_lb_CM},
  {0x09D7, 0x09D7, rpu_lb_CM}, {0x09E2, 0x09E3, rpu_lb_CM}, {0x0A02, 0x0A02, rpu_lb_CM},
  {0x0A3C, 0x0A3C, rpu_lb_CM}, {0x0A3E, 0x0A42, rpu_lb_CM}, {0x0A47, 0x0A48, rpu_lb_CM},
  {0x0A4B, 0x0A4D, rpu_lb_CM}, {0x0A70, 0x0A71, rpu_lb_CM}, {0x0A81, 0x0A83, rpu_lb_CM},
  {0x0ABC, 0x0ABC, rpu_lb_CM}, {0x0ABE, 0x0AC5, rpu_lb_CM}, {0x0AC7, 0x0AC9, rpu_lb_CM},
  {0x0ACB, 0x0ACD, rpu_lb_CM}, {0x0B01, 0x0B03, rpu_lb_CM}, {0x0B3C, 0x0B3C, rpu_lb_CM},
  {0x0B3E, 0x0B43, rpu_lb_CM}, {0x0B47, 0x0B48, rpu_lb_CM}, {0x0B4B, 0x0B4D, rpu_lb_CM},
  {0x0B56, 0x0B57, rpu_lb_CM}, {0x0B82, 0x0B82, rpu_lb_CM}, {0x0BBE, 0x0BC2, rpu_lb_CM},
  {0x0BC6, 0x0BC8, rpu_lb_CM}, {0x0BCA, 0x0BCD, rpu_lb_CM}, {0x0BD7, 0x0BD7, rpu_lb_CM},
  {0x0C01, 0x0C03, rpu_lb_CM}, {0x0C3E, 0x0C44, rpu_lb_CM}, {0x0C46, 0x0C48, rpu_lb_CM},
  {0x0C4A, 0x0C4D, rpu_lb_CM}, {0x0C55, 0x0C56, rpu_lb_CM}, {0x0C82, 0x0C83, rpu_lb_CM},
  {0x0CBE, 0x0CC4, rpu_lb_CM}, {0x0CC6, 0x0CC8, rpu_lb_CM}, {0x0CCA, 0x0CCD, rpu_lb_CM},
  {0x0CD5, 0x0CD6, rpu_lb_CM}, {0x0D02, 0x0D03, rpu_lb_CM}, {0x0D3E, 0x0D43, rpu_lb_CM},
  {0x0D46, 0x0D48, rpu_lb_CM}, {0x0D4A, 0x0D4D, rpu_lb_CM}, {0x0D57, 0x0D57, rpu_lb_CM},
  {0x0D82, 0x0D83, rpu_lb_CM}, {0x0DCA, 0x0DCA, rpu_lb_CM}, {0x0DCF, 0x0DD4, rpu_lb_CM},
  {0x0DD6, 0x0DD6, rpu_lb_CM}, {0x0DD8, 0x0DDF, rpu_lb_CM}, {0x0DF2, 0x0DF3, rpu_lb_CM},
  {0x0E31, 0x0E31, rpu_lb_CM}, {0x0E34, 0x0E3A, rpu_lb_CM}, {0x0E47, 0x0E4E, rpu_lb_CM},
  {0x0EB1, 0x0EB1, rpu_lb_CM}, {0x0EB4, 0x0EB9, rpu_lb_CM}, {0x0EBB, 0x0EBC, rpu_lb_CM},
  {0x0EC8, 0x0ECD, rpu_lb_CM}, {0x0F18, 0x0F19, rpu_lb_CM}, {0x0F35, 0x0F35, rpu_lb_CM},
  {0x0F37, 0x0F37, rpu_lb_CM}, {0x0F39, 0x0F39, rpu_lb_CM}, {0x0F3E, 0x0F3F, rpu_lb_CM},
  {0x0F71, 0x0F84, rpu_lb_CM}, {0x0F86, 0x0F87, rpu_lb_CM}, {0x0F90, 0x0F97, rpu_lb_CM},
  {0x0F99, 0x0FBC, rpu_lb_CM}, {0x0FC6, 0x0FC6, rpu_lb_CM}, {0x102C, 0x1032, rpu_lb_CM},
  {0x1036, 0x1039, rpu_lb_CM}, {0x1056, 0x1059, rpu_lb_CM}, {0x1160, 0x11A2, rpu_lb_CM},
  {0x11A8, 0x11F9, rpu_lb_CM}, {0x1712, 0x1714, rpu_lb_CM}, {0x1732, 0x1734, rpu_lb_CM},
  {0x1752, 0x1753, rpu_lb_CM}, {0x1772, 0x1773, rpu_lb_CM}, {0x17B4, 0x17D3, rpu_lb_CM},
  {0x180B, 0x180E, rpu_lb_CM}, {0x18A9, 0x18A9, rpu_lb_CM}, {0x200C, 0x200F, rpu_lb_CM},
  {0x202A, 0x202E, rpu_lb_CM}, {0x206A, 0x206F, rpu_lb_CM}, {0x20D0, 0x20EA, rpu_lb_CM},
  {0x302A, 0x302F, rpu_lb_CM}, {0x3099, 0x309A, rpu_lb_CM}, {0xFB1E, 0xFB1E, rpu_lb_CM},
  {0xFE00, 0xFE0F, rpu_lb_CM}, {0xFE20, 0xFE23, rpu_lb_CM}, {0xFFF9, 0xFFFB, rpu_lb_CM},
};
// clang-format on

constexpr auto SortedRanges = [] {
  std::array<TRPULineBreakRange, std::size(ListedRanges)> Ranges{};
  std::copy(std::begin(ListedRanges), std::end(ListedRanges), Ranges.begin());
  std::sort(
      Ranges.begin(), Ranges.end(),
      [](const TRPULineBreakRange& A, const TRPULineBreakRange& B) { return A.First < B.First; });
  return Ranges;
}();

// A typing slip in the table above (a reversed range, or a unit given two classes)
// would silently make the binary search answer wrongly; refuse to build instead.
constexpr bool RangesAreOrderedAndDisjoint() {
  for (std::size_t i = 0; i < SortedRanges.size(); ++i) {
    if (SortedRanges[i].First > SortedRanges[i].Last || SortedRanges[i].Class >= rpu_lb_Count ||
        SortedRanges[i].Class == rpu_lb_AL)
      return false;
    if (i > 0 && SortedRanges[i - 1].Last >= SortedRanges[i].First)
      return false;
  }
  return true;
}
static_assert(RangesAreOrderedAndDisjoint());

constexpr int SearchCharLineBreakClass(char16_t Ch) {
  // The last range starting at or before Ch is the only one that can hold it.
  const auto Next = std::upper_bound(
      SortedRanges.begin(), SortedRanges.end(), Ch,
      [](char16_t Unit, const TRPULineBreakRange& Range) { return Unit < Range.First; });
  if (Next == SortedRanges.begin())
    return rpu_lb_AL;
  const TRPULineBreakRange& Range = *std::prev(Next);
  return Ch <= Range.Last ? Range.Class : rpu_lb_AL;
}

// The classes of Latin text, looked up directly.
constexpr auto LowClasses = [] {
  std::array<uint8_t, 0x250> Classes{};
  for (std::size_t Ch = 0; Ch < Classes.size(); ++Ch)
    Classes[Ch] = static_cast<uint8_t>(SearchCharLineBreakClass(static_cast<char16_t>(Ch)));
  return Classes;
}();

int Pair(char16_t Before, char16_t After) {
  return BreakPairs[GetCharLineBreakClass(Before)][GetCharLineBreakClass(After)];
}

} // namespace

int GetCharLineBreakClass(char16_t Ch) {
  return Ch < LowClasses.size() ? LowClasses[Ch] : SearchCharLineBreakClass(Ch);
}

int RPU_FindLineBreak(TRPTextView Text, int n, bool AtEnd, bool Decremented) {
  if (n < 0 || n >= Text.Length())
    return -1;
  int Start = n;
  // A lone trailing space is not worth a line of its own: look for the break
  // before the last character that fitted instead.
  if (!Decremented && AtEnd && Text[n] == Space) {
    if (n <= 1)
      return -1;
    Start = n - 1;
  }
  if (Decremented) {
    int NonSpace = Start;
    while (NonSpace >= 0 && Text[NonSpace] == Space)
      --NonSpace;
    if (NonSpace >= 0)
      Start = NonSpace;
  }
  int Later = Start;
  while (true) {
    int Earlier = Later - 1;
    while (Earlier >= 0 && Text[Earlier] == Space)
      --Earlier;
    if (Earlier < 0)
      return -1;
    int Value = Pair(Text[Earlier], Text[Later]);
    if (Value == bk_IBK && Text[Earlier + 1] != Space)
      Value = bk_PBK;
    if (Value < bk_PBK) {
      // Spaces after the break stay on this line, where they are trimmed or hang.
      int Result = Earlier;
      while (Result + 1 < Start && Text[Result + 1] == Space)
        ++Result;
      return Result;
    }
    Later = Earlier;
  }
}

int RPU_FindFirstLineBreak(TRPTextView Text, std::optional<char16_t> PrevChar, bool SpaceBefore,
                           char16_t& LastChar) {
  char16_t Prev;
  int32_t i;
  bool Spaced;
  if (PrevChar) {
    Prev = *PrevChar;
    i = 0;
    Spaced = SpaceBefore;
  } else {
    if (Text.Empty()) {
      LastChar = Space;
      return 0;
    }
    Prev = Text[0];
    i = 1;
    Spaced = false;
  }
  // Index of the last non-space character of Text seen so far, -1 before the first.
  int LastNonSpace = !PrevChar && Text[0] != Space ? 0 : -1;
  for (; i < Text.Length(); ++i) {
    if (Text[i] == Space) {
      Spaced = true;
      continue;
    }
    const int Value = Pair(Prev, Text[i]);
    if (Value == bk_DBK || (Value == bk_IBK && Spaced)) {
      if (PrevChar && SpaceBefore && LastNonSpace < 0)
        return -1;
      int Result = static_cast<int>(i);
      while (Result > 0 && Text[Result - 1] == Space)
        --Result;
      return Result;
    }
    Prev = Text[i];
    Spaced = false;
    LastNonSpace = static_cast<int>(i);
  }
  if (LastNonSpace < 0) {
    LastChar = Space;
    return 0;
  }
  LastChar = Text[LastNonSpace];
  return LastNonSpace + 1;
}
