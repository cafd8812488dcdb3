#include "engine/UserInterface.h"

#include <atomic>

#include "platform/Error.h"

namespace dovrel {

namespace {

std::atomic<TUserInterface*> current{nullptr};

}  // namespace

void SetUserInterface(TUserInterface* ui) {
    current = ui;
}

TUserInterface& UserInterface() {
    TUserInterface* ui = current;
    if (ui == nullptr)
        throw Error(L"No user interface is installed");
    return *ui;
}

}  // namespace dovrel
