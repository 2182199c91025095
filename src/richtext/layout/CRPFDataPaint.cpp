// Painting a formatted document.
#include "richtext/layout/CRPFData.h"

void TCustomRPFormattedData::PaintBuffered(TRPCanvas&, const TRect&) {}

void TCustomRPFormattedData::DrawBackground(TRPCanvas&, const TRect&) {}

void TCustomRPFormattedData::PaintTo(TRPCanvas&, const TRect&, bool, bool, int32_t, int32_t, int,
                                     int) {}
