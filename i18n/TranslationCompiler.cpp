// Build-time tool: compiles a window's translation source into the payload the program embeds.
//   zelvora-langc SOURCE.lang PAYLOAD
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "i18n/TranslationSource.h"

namespace {

std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) throw zelvora::ETranslationSourceError("cannot read " + path.string());
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: zelvora-langc SOURCE.lang PAYLOAD\n";
        return 2;
    }
    const std::filesystem::path source = argv[1];
    try {
        const auto readInclude = [&](const std::string& name) {
            return ReadFile(source.parent_path() / name);
        };
        const zelvora::TTranslationStore store =
            zelvora::CompileTranslationSource(ReadFile(source), source.filename().string(), readInclude);
        std::ofstream out(argv[2], std::ios::binary);
        out << store.WriteTranslationData();
        if (!out) throw zelvora::ETranslationSourceError(std::string("cannot write ") + argv[2]);
    } catch (const std::exception& error) {
        std::cerr << "zelvora-langc: " << error.what() << "\n";
        std::remove(argv[2]);
        return 1;
    }
    return 0;
}
