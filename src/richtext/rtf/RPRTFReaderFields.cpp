// Field instructions that make something of their own when they end: a picture from a file
// (INCLUDEPICTURE, IMPORT) and a sequence number (SEQ), whose stored result is then skipped.
// Every other field shows its result.
#include "richtext/rtf/RPRTFReader.h"

TRPRTFErrorCode TRPRTFReader::EndFieldInstruction() {
  if (FRTFState.FFieldInserted || FRTFState.FFieldPictureIncluded)
    return rtf_ec_OK;
  const std::u16string_view Code = FieldCode();
  if (OnNewPicture)
    if (const std::optional<std::u16string> Argument = RPRTFIncludePictureArgument(Code))
      return IncludePicture(*Argument);
  if (!OnNewSeq)
    return rtf_ec_OK;
  const std::optional<TRPRTFSeq> Seq = RPRTFParseSeq(Code);
  if (!Seq)
    return rtf_ec_OK;
  FRTFState.Props.ParaProps.Finalize();
  try {
    OnNewSeq(*this, FPosition, *Seq);
  } catch (...) {
    return rtf_ec_Aborted;
  }
  FPosition = rtf_ts_ContinuePara;
  FRTFState.FFieldInserted = true;
  return rtf_ec_OK;
}
