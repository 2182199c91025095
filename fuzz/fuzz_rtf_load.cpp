// Feeds arbitrary bytes through the whole load of an article: the reader, the builder that
// turns its runs into items and styles, and the merging of neighbouring items, into a
// document and style sheet set up as the guide window's pane.
//
// The reader's own rules are checked by fuzz_rtf_reader; here it is what the load leaves
// behind: a result the caller can act on, items that refer only to styles that exist, the
// paragraph structure, checkpoint chain and registers the document promises, and a style
// sheet that grows only when asked to and only once for the same input. With the switch
// for it the input is loaded twice into the same document, so that a read also starts
// after items that are already there, as every load after the first does.
//
// FuzzLoad.h says which bits of the first two bytes choose which settings.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "FuzzLoad.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  if (Size == 0)
    return 0;
  const std::string_view Rtf(reinterpret_cast<const char*>(Data), Size);
  const FuzzLoad::TLoadOptions Options = FuzzLoad::ReadOptions(Data, Size);

  FuzzLoad::TFuzzPane P(Options);
  FuzzLoad::Load(P, Rtf);
  if (Options.LoadTwice)
    FuzzLoad::Load(P, Rtf);
  return 0;
}
