#include "HandlerError.h"

#include <exception>
#include <string>

#include "app/StartUp.h"
#include "platform/Error.h"
#include "platform/Text.h"

namespace dovrel {

void ShowHandlerError(HWND owner) noexcept {
    std::wstring text;
    try {
        try {
            throw;
        } catch (const Error& error) {
            text = error.Message();
        } catch (const std::exception& error) {
            text = FromUtf8(error.what());
        }
    } catch (...) {
        text = L"Unknown error";
    }
    MessageBoxW(owner, text.c_str(), kApplicationName, MB_OK | MB_ICONERROR);
}

}  // namespace dovrel
