#pragma once

#include <windows.h>

// What keeps the library loaded: living context-menu objects, references to its class
// factory that clients hold, and locks taken through IClassFactory::LockServer.
namespace dovrel::shellext {

void SetModuleHandle(HINSTANCE module) noexcept;
HINSTANCE ModuleHandle() noexcept;

void ObjectCreated() noexcept;
void ObjectDestroyed() noexcept;
void ChangeServerLock(bool lock) noexcept;
void FactoryReferenced() noexcept;
void FactoryReleased() noexcept;

// Nothing alive and nothing locked: the library may be unloaded.
bool CanUnloadNow() noexcept;

}  // namespace dovrel::shellext
