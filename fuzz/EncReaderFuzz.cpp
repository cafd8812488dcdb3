// The ".enc" reader over any bytes: no crash, no allocation out of proportion to the file,
// no output outside the file's folder, no temporary file left, the input itself untouched,
// and "Stream read error" for a file too short to hold its header.
#include <sanitizer/allocator_interface.h>

#include <atomic>
#include <cstdint>

#include "FuzzSupport.h"
#include "app/AppFolders.h"
#include "crypto/CryptoAlgorithms.h"
#include "platform/Error.h"

namespace {

using namespace dovrel;
using namespace dovrel::fuzz;

constexpr const char* kInput = "in.enc";
// The stream and transform buffers and the rest of the fixed cost of one file.
constexpr std::size_t kFixedAllowance = 256 * 1024;

std::atomic<bool> watching{false};
std::atomic<std::size_t> largestAllocation{0};

void OnMalloc(const volatile void*, std::size_t size) {
    if (!watching.load(std::memory_order_relaxed))
        return;
    std::size_t seen = largestAllocation.load(std::memory_order_relaxed);
    while (size > seen && !largestAllocation.compare_exchange_weak(seen, size)) {
    }
}

void OnFree(const volatile void*) {}

std::filesystem::path dataFolder;
std::set<std::string> dataListing;

TOperationEvents Events(int& asked) {
    TOperationEvents events;
    events.OnCheckCancel = [] { return false; };
    events.OnProgress = [](std::int64_t done, std::int64_t total, std::int64_t delta, double) {
        if (done < 0 || done > total || delta < 0)
            Fail("progress out of range");
    };
    // One other password, so that the retry path runs too; then the user gives up.
    events.OnAskPassword = [&asked](const std::wstring&, std::string& password) {
        if (asked++ > 0)
            return false;
        password = "Fuzz";
        return true;
    };
    return events;
}

TCryptoAlgorithm& EntryFor(std::string_view bytes) {
    if (bytes.size() >= 3) {
        if (TCryptoAlgorithm* found = FindCipherById({bytes[0], bytes[1], bytes[2]}))
            return *found;
    }
    // The reader itself does not look at the identifier: feed the rest to the first cipher.
    return *CipherCatalogue().front();
}

void CheckFolders(const std::filesystem::path& box, std::string_view bytes, bool completed,
                  bool allAtOnce) {
    if (Listing(ScratchRoot()) != std::set<std::string>{"box", "data"})
        Fail("a file appeared beside the input's folder");
    if (Listing(dataFolder) != dataListing)
        Fail("the data folder changed");
    const std::set<std::string> names = Listing(box);
    for (const std::string& name : names) {
        if (name.rfind("~dovrel", 0) == 0)
            Fail("a temporary file was left: " + name);
    }
    if (!names.contains(kInput))
        Fail("the input is gone");
    if (allAtOnce)
        return;  // each pass of its own, so earlier passes may have written
    // Only an output written under the input's own stored name may replace it.
    if (!completed && ReadFile(box / kInput) != bytes)
        Fail("the input changed");
    // Nothing at all is left behind when the procedure did not complete.
    if (!completed && names.size() != 1)
        Fail("an output was left by a run that did not complete");
    if (completed && names.size() > 2)
        Fail("one file gave more than one output");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    dataFolder = FreshFolder("data");
    InitAppFolders(AsFolder(dataFolder));
    BuildCipherCatalogue();
    dataListing = Listing(dataFolder);
    __sanitizer_install_malloc_and_free_hooks(OnMalloc, OnFree);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = Bytes(data, size);
    const std::filesystem::path box = FreshFolder("box");
    WriteFile(box / kInput, bytes);
    TCryptoAlgorithm& entry = EntryFor(bytes);
    const bool allAtOnce = entry.Id() == TCipherId{'A', 'L', 'L'};

    std::string password = "fuzz";
    int asked = 0;
    const TOperationEvents events = Events(asked);
    bool completed = false;
    std::wstring raised;
    largestAllocation = 0;
    watching = true;
    try {
        completed = entry.DecryptFile(AsFolder(box) + L"in.enc", password, events);
    } catch (const Error& e) {
        raised = e.Message();
    }
    watching = false;
    if (size < kFixedHeaderBytes && raised != L"Stream read error")
        Fail("a file shorter than its header did not raise the read error", raised);
    if (largestAllocation > 4 * size + kFixedAllowance)
        Fail("an allocation of " + std::to_string(largestAllocation.load()) +
             " bytes for a file of " + std::to_string(size));
    CheckFolders(box, bytes, completed, allAtOnce);
    return 0;
}
