// Pictures and fields in RTF as a reader sees them: pictures at the size the file asks,
// the alternative a picture offers when it cannot be shown, sequence numbers, pictures
// included from files beside the document, and links on pictures. Bad picture data costs
// the picture, never the text after it.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "richtext/gfx/RPCodePage.h"
#include "richtext/model/RPRectItems.h"
#include "richtext/model/RPSeqItem.h"
#include "richtext/rtf/RPRTFFields.h"
#include "support/DocumentChecks.h"
#include "support/RTFDocumentTest.h"
#include "support/TempDir.h"

namespace {

using RPDataTests::Paragraphs;
using Lines = std::vector<std::string>;

// 200 x 100 pixels of one colour.
const std::string Png200x100 =
    "89504e470d0a1a0a0000000d49484452000000c80000006408020000004ce4e85c000000cc4944415478daedd231"
    "0d00000804b1978254a4210d130c0c4daae072a91e3817093016c6c258602c8c85b1c058180b6381b13016c60263"
    "612c8c05c6c258180b8c85b13016180b63612c3016c6c258602c8c85b1c058180b6381b13016c60263612c8c05c6"
    "c258180b8c85b13016180b63612c3016c6c258602c8c85b1c058180b6381b13016c60263612c8c05c6c258180b8c"
    "85b13016180b63612c3016c6c258602c8c85b1c058180b6381b13016c60263612c8c85b154c058180b6381b13016"
    "c60263612c8c05c6e2b7056d76724665f610aa0000000049454e44ae426082";
// A metafile that draws nothing: its header and its end record.
const std::string EmptyWmf = "010009000003"
                             "0c000000"
                             "0000"
                             "03000000"
                             "0000"
                             "030000000000";

std::string FromHex(const std::string& Hex) {
  std::string Bytes;
  for (size_t i = 0; i + 1 < Hex.size(); i += 2)
    Bytes += static_cast<char>(std::stoi(Hex.substr(i, 2), nullptr, 16));
  return Bytes;
}

std::string Pict(const std::string& Keywords, const std::string& Hex) {
  return "{\\pict" + Keywords + " " + Hex + "}";
}

class RTFPictures : public TRTFDocumentTest {
protected:
  std::vector<const TRPGraphicItemInfo*> Pictures() const {
    std::vector<const TRPGraphicItemInfo*> Found;
    for (int i = 0; i < Doc.GetItemCount(); ++i)
      if (const auto* Picture = dynamic_cast<const TRPGraphicItemInfo*>(Doc.GetItem(i)))
        Found.push_back(Picture);
    return Found;
  }
  // "kind WxH image IWxIH" of the only picture, or what was found instead.
  std::string OnlyPicture() const {
    const std::vector<const TRPGraphicItemInfo*> Found = Pictures();
    if (Found.size() != 1)
      return std::to_string(Found.size()) + " pictures";
    const TRPPicture& Image = *Found[0]->Image();
    static const char* const Kinds[] = {"bitmap", "metafile", "png", "jpeg", "other"};
    return std::string(Kinds[Image.Kind()]) + " " + std::to_string(Image.Width()) + "x" +
           std::to_string(Image.Height()) + " image " + std::to_string(Found[0]->ImageWidth) + "x" +
           std::to_string(Found[0]->ImageHeight);
  }
};

TEST_F(RTFPictures, TakeTheSizeTheFileAsks) {
  struct TCase {
    const char* Name;
    std::string Rtf;
    std::string Picture;
  };
  const std::string Png = Png200x100;
  const std::vector<TCase> Cases = {
      {"its own size", Pict("\\pngblip", Png), "png 200x100 image 0x0"},
      {"goals equal to its size", Pict("\\pngblip\\picwgoal3000\\pichgoal1500", Png),
       "png 200x100 image 0x0"},
      {"half the size", Pict("\\pngblip\\picwgoal1500\\pichgoal750", Png),
       "png 200x100 image 100x50"},
      {"scaled across", Pict("\\pngblip\\picwgoal1500\\pichgoal750\\picscalex50", Png),
       "png 200x100 image 50x50"},
      {"one goal is none", Pict("\\pngblip\\picwgoal1500", Png), "png 200x100 image 0x0"},
      {"hex broken by blanks and a group",
       "{\\pict\\pngblip{\\*\\blipuid 0123456789abcdef}" + Png.substr(0, 50) + "\r\n " +
           Png.substr(50, 101) + "\n" + Png.substr(151) + "}",
       "png 200x100 image 0x0"},
      {"data over many blocks of input",
       Pict("\\pngblip", Png.substr(0, 99) + std::string(9000, ' ') + Png.substr(99)),
       "png 200x100 image 0x0"},
      {"\\bin data", "{\\pict\\pngblip\\bin261 " + FromHex(Png) + "}", "png 200x100 image 0x0"},
      // Hundredths of a millimetre: 1 by 0.5 inches, at 96 pixels an inch.
      {"a metafile", Pict("\\wmetafile8\\picw2540\\pich1270", EmptyWmf),
       "metafile 96x48 image 96x48"},
      {"a shape's picture before its alternative",
       "{\\*\\shppict" + Pict("\\pngblip", Png) + "}{\\nonshppict" +
           Pict("\\wmetafile8\\picw2540\\pich1270", EmptyWmf) + "}",
       "png 200x100 image 0x0"},
      {"the alternative of a shape's picture that cannot be read",
       "{\\*\\shppict" + Pict("\\pngblip", Png.substr(0, 100)) + "}{\\nonshppict" +
           Pict("\\wmetafile8\\picw2540\\pich1270", EmptyWmf) + "}",
       "metafile 96x48 image 96x48"},
      // The mark for pictures that cannot be read, 32 pixels square.
      {"a corrupt picture", Pict("\\pngblip", Png.substr(0, 100)), "bitmap 32x32 image 0x0"},
      {"junk in the data", Pict("\\pngblip", Png.substr(0, 60) + "zz" + Png.substr(60)),
       "bitmap 32x32 image 0x0"},
      {"no data", "{\\pict\\pngblip}", "bitmap 32x32 image 0x0"},
      {"a keyword right after the data", Pict("\\pngblip", Png + "\\line"),
       "png 200x100 image 0x0"},
      {"a picture inside a picture", "{\\pict\\pngblip{\\pict\\jpegblip ffd8}" + Png + "}",
       "png 200x100 image 0x0"},
  };
  for (const TCase& Case : Cases) {
    SCOPED_TRACE(Case.Name);
    EXPECT_EQ(Load("{\\rtf1 before " + Case.Rtf + " after\\par}"), rtf_ec_OK);
    EXPECT_EQ(OnlyPicture(), Case.Picture);
    EXPECT_EQ(Paragraphs(Doc), Lines({"before  after"}));
  }
}

// Pictures are text: one in a table of the header or in a marker's text is none.
TEST_F(RTFPictures, PicturesBelongToTheText) {
  const std::string Picture = Pict("\\pngblip", Png200x100);
  ASSERT_EQ(Load("{\\rtf1{\\fonttbl{\\f0 Arial" + Picture + ";}}{\\listtext{\\*\\shppict" +
                 Picture + "}\\tab}item\\par}"),
            rtf_ec_OK);
  EXPECT_TRUE(Pictures().empty());
  EXPECT_EQ(Paragraphs(Doc), Lines({"item"}));
}

// A few bytes of compressed data may ask for a picture of many megabytes: the pictures of a
// read share a budget, and those past it show the mark for pictures that cannot be shown.
TEST_F(RTFPictures, PicturesShareABudget) {
  Doc.Props.PicturePixelBudget = 30000;
  const std::string Picture = Pict("\\pngblip", Png200x100);
  ASSERT_EQ(Load("{\\rtf1 " + Picture + Picture + "\\par}"), rtf_ec_OK);
  const std::vector<const TRPGraphicItemInfo*> Found = Pictures();
  ASSERT_EQ(Found.size(), 2u);
  EXPECT_EQ(Found[0]->Image()->Width(), 200);
  EXPECT_EQ(Found[1]->Image()->Width(), 32);
}

TEST_F(RTFPictures, FieldsShowWhatTheyCount) {
  struct TCase {
    const char* Name;
    std::string Rtf;
    Lines Text;
  };
  const std::vector<TCase> Cases = {
      {"a sequence started again",
       R"({\rtf1 Figure {\field{\*\fldinst SEQ Figure \\* ROMAN \\r 3}{\fldrslt II}}, )"
       R"(Figure {\field{\*\fldinst SEQ Figure \\* ROMAN}{\fldrslt 9}}\par})",
       {"Figure III, Figure IV"}},
      {"an instruction in pieces",
       R"({\rtf1{\field{\*\fldinst {SEQ Figure }{\\* ROMAN }{\\r 3}}{\fldrslt 1}}\par})",
       {"III"}},
      {"fields in groups too deep to keep their own properties",
       R"({\rtf1)" + std::string(1100, '{') +
           R"({\field{\*\fldinst SEQ A}{\fldrslt 9}} {\field{\*\fldinst PAGEREF x}{\fldrslt 7}})" +
           std::string(1100, '}') + "}",
       {"1 7"}},
      {"a word that begins like HYPERLINK is none",
       R"({\rtf1{\field{\*\fldinst HYPERLINKED "https://x.org"}{\fldrslt t}}\par})",
       {"t"}},
      {"a page reference is no page number",
       R"({\rtf1 see page {\field{\*\fldinst PAGEREF _Ref1 \h}{\fldrslt 7}}\par})",
       {"see page 7"}},
      {"a symbol without a number shows its result",
       R"({\rtf1 a{\field{\*\fldinst SYMBOL abc \f "Symbol"}{\fldrslt b}}c\par})",
       {"abc"}},
  };
  for (const TCase& Case : Cases) {
    SCOPED_TRACE(Case.Name);
    EXPECT_EQ(Load(Case.Rtf), rtf_ec_OK);
    EXPECT_EQ(Paragraphs(Doc), Case.Text);
  }
}

// The document decides what a link looks like; the picture carries its target and hint.
TEST_F(RTFPictures, LinksOnPicturesKeepTheirTargets) {
  ASSERT_EQ(Load("{\\rtf1{\\field{\\*\\fldinst HYPERLINK \"https://example.org/a%20b\" \\\\o "
                 "\"the tip\"}{\\fldrslt " +
                 Pict("\\pngblip", Png200x100) + "}}\\par}"),
            rtf_ec_OK);
  const std::vector<const TRPGraphicItemInfo*> Found = Pictures();
  ASSERT_EQ(Found.size(), 1u);
  EXPECT_EQ(Found[0]->Tag(), "https://example.org/a b");
  EXPECT_EQ(Found[0]->Hint(), "the tip");
}

TEST_F(RTFPictures, IncludedPicturesComeFromBesideTheDocument) {
  TTempDir Dir;
  Dir.AddFile("figures/ladder.png", FromHex(Png200x100));
  const std::string Include =
      "{\\field{\\*\\fldinst INCLUDEPICTURE \"figures\\\\\\\\ladder.png\" \\\\* MERGEFORMAT}"
      "{\\fldrslt " +
      Pict("\\jpegblip", "ffd8ffd9") + "}}";
  const auto Read = [&](const std::string& Body) {
    Doc.Clear();
    return Doc.LoadRTF(Dir.AddFile("article.rtf", "{\\rtf1 " + Body + "\\par}").native());
  };
  // The file's picture stands for the field's result; a picture after the field is its own.
  ASSERT_EQ(Read(Include + Pict("\\pngblip\\picwgoal1500\\pichgoal750", Png200x100)), rtf_ec_OK);
  const std::vector<const TRPGraphicItemInfo*> Found = Pictures();
  ASSERT_EQ(Found.size(), 2u);
  EXPECT_EQ(Found[0]->ImageFileName, Dir.Str() + "/figures/ladder.png");
  EXPECT_EQ(Found[0]->ImageWidth, 0);
  EXPECT_EQ(Found[1]->ImageWidth, 100);

  // A path the document may not name leaves the field's result.
  ASSERT_EQ(Read("{\\field{\\*\\fldinst INCLUDEPICTURE \"../../../../../../dev/zero\"}"
                 "{\\fldrslt result}}"),
            rtf_ec_OK);
  EXPECT_TRUE(Pictures().empty());
  EXPECT_EQ(Paragraphs(Doc), Lines({"result"}));
}

TEST(RTFPicturePaths, StayUnderTheDocumentsFolder) {
  struct TCase {
    std::u16string Argument;
    const char* Path; // nullptr: refused
  };
  const std::vector<TCase> Cases = {
      {u"a.png", "/doc/a.png"},
      {u"figs\\\\b.png", "/doc/figs/b.png"},
      {u"figs/./c/../d.png", "/doc/figs/d.png"},
      {u"file:figs/e.png", "/doc/figs/e.png"},
      {u"../secret.png", nullptr},
      {u"/etc/passwd", nullptr},
      {u"C:\\\\pictures\\\\a.png", nullptr},
      {u"\\\\\\\\server\\\\share\\\\a.png", nullptr},
      {u"http://example.org/a.png", nullptr},
      {u"file:///etc/passwd", nullptr},
      {u"", nullptr},
  };
  for (const TCase& Case : Cases) {
    const std::optional<std::string> Path = RPRTFResolvePicturePath(Case.Argument, "/doc/", false);
    EXPECT_EQ(Path.value_or("refused"), Case.Path ? Case.Path : "refused")
        << RP_UnicodeToAnsi(Case.Argument, CP_UTF8);
  }
  EXPECT_EQ(RPRTFResolvePicturePath(u"a%20b.png", "/doc", true).value_or(""), "/doc/a b.png");
  EXPECT_FALSE(RPRTFResolvePicturePath(u"a.png", "", false));
}

} // namespace
