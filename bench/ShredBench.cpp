// Shreds a large file with some of the schemes and, in the same run, lets GNU shred make the
// same number of passes over a file of the same size, and prints both throughputs.
//
//   dovrel_bench_shred [--folder DIR] [--mib N]
//
// DIR should be on a real disk (default /var/tmp; the current folder on Windows), N is the
// file size in MiB (default 256).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "app/AppFolders.h"
#include "platform/Error.h"
#include "platform/File.h"
#include "platform/Text.h"
#include "shred/CharGenerators.h"
#include "shred/OverwritePasses.h"
#include "shred/ShredAlgorithms.h"

namespace dovrel {
namespace {

constexpr std::int64_t kMiB = 1 << 20;
constexpr std::size_t kSchemes[] = {0, 3, 5, 10};

struct Settings {
    std::wstring folder;
    std::int64_t size = 256 * kMiB;
};

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double MiBPerSecond(std::int64_t bytes, double seconds) {
    return static_cast<double>(bytes) / static_cast<double>(kMiB) / seconds;
}

// A file of the given size with varied content, on the device before the clock starts.
void WriteBenchFile(const std::wstring& path, std::int64_t size) {
    std::vector<std::uint8_t> chunk(static_cast<std::size_t>(kMiB));
    for (std::size_t i = 0; i < chunk.size(); ++i)
        chunk[i] = static_cast<std::uint8_t>(i * 131 + 7);
    TFileStream file(path, TFileMode::fmCreate);
    for (std::int64_t done = 0; done < size; done += kMiB) {
        const auto n = static_cast<std::size_t>(std::min(kMiB, size - done));
        file.WriteBuffer(chunk.data(), n);
    }
    file.Flush();
}

double TimeOurs(TShredAlgorithm& scheme, const std::wstring& path) {
    TOperationEvents events;
    events.OnCheckCancel = [] { return false; };
    events.OnProgress = [](std::int64_t, std::int64_t, std::int64_t, double) {};
    const auto start = Clock::now();
    scheme.ShredFile(path, events);
    return SecondsSince(start);
}

#ifndef _WIN32
std::string ShellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (const char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}
#endif

// Seconds GNU shred takes for `passes` passes with its own syncing; negative when it
// cannot be run here.
double TimeGnuShred(std::size_t passes, const std::wstring& path) {
#ifdef _WIN32
    (void)passes, (void)path;
    return -1;
#else
    const std::string command =
        "shred -n " + std::to_string(passes) + " -- " + ShellQuoted(ToUtf8(path));
    const auto start = Clock::now();
    const int status = std::system(command.c_str());
    const double seconds = SecondsSince(start);
    DeleteFileAt(path);
    return status == 0 ? seconds : -1;
#endif
}

// How fast each kind of pass fills buffers in memory, so a slow pass can be told apart
// from a slow disk.
void PrintGeneratorSpeeds(std::int64_t size) {
    struct Kind {
        const char* name;
        std::unique_ptr<TCharGenerator> generator;
    };
    auto pattern3 = std::make_unique<THexGenerator>(0x92);
    pattern3->AddByte(0x49);
    pattern3->AddByte(0x24);
    Kind kinds[] = {
        {"pattern of 1 byte", std::make_unique<THexGenerator>(0x00)},
        {"pattern of 3 bytes", std::move(pattern3)},
        {"complement", std::make_unique<TInvertGenerator>()},
        {"one random value", std::make_unique<TRandomCharGenerator>(0, 255)},
        {"random bytes", std::make_unique<TRandomGenerator>(0, 255)},
    };
    std::vector<std::uint8_t> buffer(kShredBufferSize);
    std::printf("\nPasses in memory, %lld MiB in buffers of %zu bytes:\n",
                static_cast<long long>(size / kMiB), kShredBufferSize);
    for (Kind& kind : kinds) {
        const auto start = Clock::now();
        for (std::int64_t done = 0; done < size; done += kShredBufferSize)
            kind.generator->Apply(buffer.data(), buffer.size());
        std::printf("  %-20s %9.0f MiB/s\n", kind.name, MiBPerSecond(size, SecondsSince(start)));
    }
}

int Run(const Settings& settings) {
    InitAppFolders(settings.folder);
    BuildShredCatalogue();
    const std::wstring path = GetDataFolder() + L"dovrel-bench-shred.bin";
    std::printf("Shredding a %lld MiB file in %s\n\n", static_cast<long long>(settings.size / kMiB),
                ToUtf8(GetDataFolder()).c_str());
    std::printf("%-24s %6s %12s %18s %7s\n", "scheme", "passes", "ours MiB/s", "GNU shred MiB/s",
                "ratio");
    for (const std::size_t index : kSchemes) {
        TShredAlgorithm& scheme = *ShredCatalogue()[index];
        const std::size_t passes = scheme.PassCount();
        const std::int64_t written = settings.size * static_cast<std::int64_t>(passes);

        WriteBenchFile(path, settings.size);
        const double ours = MiBPerSecond(written, TimeOurs(scheme, path));
        WriteBenchFile(path, settings.size);
        const double gnuSeconds = TimeGnuShred(passes, path);
        const std::string label = std::to_string(index) + " " + ToUtf8(scheme.ClassName());
        if (gnuSeconds < 0) {
            std::printf("%-24s %6zu %12.1f %18s %7s\n", label.c_str(), passes, ours, "(not run)",
                        "-");
        } else {
            const double gnu = MiBPerSecond(written, gnuSeconds);
            std::printf("%-24s %6zu %12.1f %18.1f %7.2f\n", label.c_str(), passes, ours, gnu,
                        ours / gnu);
        }
        std::fflush(stdout);
    }
    DeleteFileAt(path);
    ReleaseShredCatalogue();
    PrintGeneratorSpeeds(settings.size);
    return 0;
}

bool Parse(int argc, char** argv, Settings& settings) {
#ifdef _WIN32
    settings.folder = L".";
#else
    settings.folder = L"/var/tmp";
#endif
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        if (std::strcmp(argv[i], "--folder") == 0 && hasValue) {
            settings.folder = FromUtf8(argv[++i]);
        } else if (std::strcmp(argv[i], "--mib") == 0 && hasValue) {
            settings.size = std::atoll(argv[++i]) * kMiB;
            if (settings.size <= 0)
                return false;
        } else {
            return false;
        }
    }
    return true;
}

}  // namespace
}  // namespace dovrel

int main(int argc, char** argv) {
    dovrel::Settings settings;
    if (!dovrel::Parse(argc, argv, settings)) {
        std::fprintf(stderr, "usage: dovrel_bench_shred [--folder DIR] [--mib N]\n");
        return 2;
    }
    try {
        return dovrel::Run(settings);
    } catch (const dovrel::Error& e) {
        std::fprintf(stderr, "dovrel_bench_shred: %s\n", e.what());
        return 1;
    }
}
