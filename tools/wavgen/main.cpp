// korvanu-wavgen OUTDIR: renders the game's five sounds into OUTDIR.
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "sounds.h"
#include "wav_writer.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTDIR\n", argv[0]);
    return 2;
  }
  const std::filesystem::path outDir(argv[1]);
  std::error_code error;
  std::filesystem::create_directories(outDir, error);
  if (error) {
    std::fprintf(stderr, "korvanu-wavgen: cannot create %s: %s\n", argv[1],
                 error.message().c_str());
    return 1;
  }
  for (const auto& recipe : korvanu::wavgen::kRecipes) {
    // The names are UTF-8 bytes; build the path from them as such.
    const auto name = reinterpret_cast<const char8_t*>(recipe.fileName);
    const std::filesystem::path path = outDir / std::filesystem::path(name);
    if (!korvanu::wavgen::writeWav(path, recipe.render())) {
      std::fprintf(stderr, "korvanu-wavgen: cannot write %s\n", path.c_str());
      return 1;
    }
  }
  return 0;
}
