#include "ServerLifetime.h"

#include <atomic>

namespace dovrel::shellext {

namespace {

HINSTANCE module = nullptr;
std::atomic<long> objects{0};
std::atomic<long> locks{0};
std::atomic<long> factoryReferences{0};

}  // namespace

void SetModuleHandle(HINSTANCE handle) noexcept {
    module = handle;
}

HINSTANCE ModuleHandle() noexcept {
    return module;
}

void ObjectCreated() noexcept {
    ++objects;
}

void ObjectDestroyed() noexcept {
    --objects;
}

void ChangeServerLock(bool lock) noexcept {
    if (lock)
        ++locks;
    else
        --locks;
}

void FactoryReferenced() noexcept {
    ++factoryReferences;
}

void FactoryReleased() noexcept {
    --factoryReferences;
}

bool CanUnloadNow() noexcept {
    // A client holding the factory would call into unloaded code.
    return objects == 0 && locks <= 0 && factoryReferences <= 0;
}

}  // namespace dovrel::shellext
