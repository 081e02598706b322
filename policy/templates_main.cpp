// Writes the Group Policy templates into the folder given:
// VantrelOptions.admx and en-US/VantrelOptions.adml.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "policy/PolicyTemplates.h"

namespace {

bool WriteFile(const std::filesystem::path& path, const std::string& text) {
    std::error_code error;
    std::filesystem::create_directories(path.parent_path(), error);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << text;
    file.close();
    return static_cast<bool>(file);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    if (!WriteFile(folder / PolicyTemplates::AdmxName, PolicyTemplates::Admx()) ||
        !WriteFile(folder / PolicyTemplates::AdmlName, PolicyTemplates::Adml())) {
        std::fprintf(stderr, "cannot write the templates into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
