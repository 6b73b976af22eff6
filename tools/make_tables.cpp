// Writes the starting-hand tables "Omaha.bin" and "Combos.bin".
//   make_tables [output folder]     (default: the current folder)

#include "core/handbase.h"
#include "tools/tablegen/startinghands.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <map>

int main(int argc, char** argv)
{
    if (argc > 2 || (argc == 2 && (std::string(argv[1]) == "-h" || std::string(argv[1]) == "--help"))) {
        std::fprintf(stderr, "usage: make_tables [output folder]\n");
        return 2;
    }
    const std::filesystem::path folder = argc == 2 ? argv[1] : ".";
    try {
        COmahaBase base;
        BuildStartingHandTables(base);

        std::map<int, int> sizes;
        double maxPoints = 0;
        for (int i = 0; i < kClassCount; ++i) {
            ++sizes[base.m_classes[i].comboCount];
            maxPoints = std::max(maxPoints, base.m_classes[i].points);
        }
        std::printf("%d classes, %d hands\n", kClassCount, kHandCount);
        for (const auto& [size, count] : sizes)
            std::printf("  %5d classes of %2d hands\n", count, size);
        std::printf("points: Hutchison count, highest %.1f\n", maxPoints);
        std::printf("stats: left 0 (filled by the statistics run)\n");

        const auto classFile = folder / kClassFileName;
        const auto handFile = folder / kHandFileName;
        const TableWriteResult written = base.WriteTables(classFile, handFile);
        if (!written.ok) {
            std::fprintf(stderr, "make_tables: %ls\n", written.message.c_str());
            return 1;
        }
        // Read back what was written, with every check the program makes.
        COmahaBase check;
        const TableLoadResult loaded = check.LoadTables(classFile, handFile);
        if (!loaded.Loaded()) {
            std::fprintf(stderr, "make_tables: the written files do not load:\n%ls\n", loaded.Message().c_str());
            return 1;
        }
        std::printf("wrote %s and %s\n", classFile.string().c_str(), handFile.string().c_str());
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make_tables: %s\n", e.what());
        return 1;
    }
}
