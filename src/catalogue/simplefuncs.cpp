#include "catalogue/simplefuncs.h"

#include <algorithm>
#include <filesystem>
#include <set>
#include <sys/stat.h>
#include <utility>

namespace fs = std::filesystem;

namespace {

char LowerAscii(char C) { return (C >= 'A' && C <= 'Z') ? static_cast<char>(C - 'A' + 'a') : C; }

// Names in one directory, in byte order; an unreadable directory has none.
std::vector<fs::directory_entry> SortedEntries(const std::string& Dir) {
  std::vector<fs::directory_entry> Entries;
  std::error_code Error;
  fs::directory_iterator It(Dir.empty() ? std::string("/") : Dir, Error);
  for (const fs::directory_iterator End; !Error && It != End; It.increment(Error))
    Entries.push_back(*It);
  std::sort(Entries.begin(), Entries.end(), [](const auto& A, const auto& B) {
    return A.path().filename().native() < B.path().filename().native();
  });
  return Entries;
}

class TDirScan {
public:
  TDirScan(const std::string& Filter, bool Recurse, std::vector<std::string>& Result)
      : FFilter(Filter), FRecurse(Recurse), FResult(Result) {}

  void AddToList(const std::string& adddir) {
    // A link back into the tree would otherwise make the scan endless.
    struct stat Info {};
    if (::stat(adddir.empty() ? "/" : adddir.c_str(), &Info) != 0 ||
        !FEntered.emplace(Info.st_dev, Info.st_ino).second)
      return;
    const std::vector<fs::directory_entry> Entries = SortedEntries(adddir);
    std::error_code Error;
    if (FRecurse) {
      for (const fs::directory_entry& Entry : Entries) {
        const std::string Name = Entry.path().filename().native();
        if (Name.starts_with('.') || !Entry.is_directory(Error))
          continue;
        AddToList(adddir + "/" + Name);
      }
    }
    for (const fs::directory_entry& Entry : Entries) {
      const std::string Name = Entry.path().filename().native();
      // Only regular files: a FIFO or device named like an article would block the reader.
      if (MatchesFilter(Name, FFilter) && Entry.is_regular_file(Error))
        FResult.push_back(adddir + "/" + Name);
    }
  }

private:
  const std::string& FFilter;
  bool FRecurse;
  std::vector<std::string>& FResult;
  std::set<std::pair<dev_t, ino_t>> FEntered;
};

} // namespace

std::vector<std::string> GetFilesInDir(const std::string& dir, const std::string& filter,
                                       bool recurse) {
  std::vector<std::string> Result;
  if (dir.empty())
    return Result;
  std::string Start = dir;
  if (Start.back() == '/' || Start.back() == '\\')
    Start.pop_back();
  TDirScan(filter, recurse, Result).AddToList(Start);
  return Result;
}

bool MatchesFilter(std::string_view Name, std::string_view Filter) {
  // Greedy match with one backtracking point: the most recent "*".
  size_t N = 0, F = 0;
  size_t StarF = std::string_view::npos, StarN = 0;
  while (N < Name.size()) {
    if (F < Filter.size() && Filter[F] == '*') {
      StarF = F++;
      StarN = N;
    } else if (F < Filter.size() &&
               (Filter[F] == '?' || LowerAscii(Filter[F]) == LowerAscii(Name[N]))) {
      ++F;
      ++N;
    } else if (StarF != std::string_view::npos) {
      F = StarF + 1;
      N = ++StarN;
    } else {
      return false;
    }
  }
  while (F < Filter.size() && Filter[F] == '*')
    ++F;
  return F == Filter.size();
}

std::string_view ExtractEntryName(std::string_view Path) {
  const size_t Cut = Path.find_last_of("/\\");
  return Cut == std::string_view::npos ? Path : Path.substr(Cut + 1);
}

bool SameTextAscii(std::string_view A, std::string_view B) {
  return A.size() == B.size() && std::equal(A.begin(), A.end(), B.begin(), [](char X, char Y) {
           return LowerAscii(X) == LowerAscii(Y);
         });
}

int FindFileByName(const std::vector<std::string>& Paths, std::string_view Name) {
  for (size_t q = 0; q < Paths.size(); ++q)
    if (SameTextAscii(ExtractEntryName(Paths[q]), Name))
      return static_cast<int>(q);
  return -1;
}
