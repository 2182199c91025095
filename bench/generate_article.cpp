// Writes the generated article the load benchmarks read, for measuring a whole program
// run on it (bench/load-memory): generate-article OUT [MiB], 20 MiB by default.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "BenchSupport.h"

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: generate-article OUT [MiB]\n");
    return 2;
  }
  const long MiB = argc == 3 ? std::strtol(argv[2], nullptr, 10) : 20;
  if (MiB <= 0 || MiB > 4096) {
    std::fprintf(stderr, "generate-article: MiB must be 1..4096\n");
    return 2;
  }
  const std::string Rtf = MakeGeneratedArticle(static_cast<size_t>(MiB) << 20);
  std::FILE* Out = std::fopen(argv[1], "wb");
  if (!Out || std::fwrite(Rtf.data(), 1, Rtf.size(), Out) != Rtf.size() || std::fclose(Out) != 0) {
    std::fprintf(stderr, "generate-article: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
