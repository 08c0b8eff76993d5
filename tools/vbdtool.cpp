// vbdtool: looks inside Vantrel data files and makes them.
//   vbdtool dump FILE        prints the document and its analysis as JSON
//   vbdtool make OUT < JSON  writes a data file from JSON
#include "analysis/BeamData.h"
#include "tools/DocumentJson.h"

#include <cstring>
#include <iostream>
#include <iterator>
#include <string>

namespace {

int Usage() {
  std::cerr << "usage: vbdtool dump FILE\n"
               "       vbdtool make OUT < JSON\n";
  return 2;
}

} // namespace

int main(int argc, char** argv) {
  if (argc != 3) return Usage();
  try {
    TData Data;
    if (std::strcmp(argv[1], "dump") == 0) {
      Data.LoadFromFile(argv[2]);
      Data.Calculate();
      std::cout << DocumentToJson(Data) << '\n';
      return 0;
    }
    if (std::strcmp(argv[1], "make") == 0) {
      const std::string Json{std::istreambuf_iterator<char>(std::cin), {}};
      DocumentFromJson(Json, Data);
      Data.SaveToFile(argv[2]);
      return 0;
    }
  } catch (const std::exception& E) {
    std::cerr << E.what() << '\n';
    return 1;
  }
  return Usage();
}
