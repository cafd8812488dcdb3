// Drives the program's windows from outside for the end-to-end tests. The window is the
// visible top-level window of CLASS and CAPTION ("*" for any caption); points are screen
// coordinates for xdotool.
//   WindowDriver wait  CLASS CAPTION SECONDS   waits until the window is visible and prints
//                                              "client WIDTH HEIGHT" and, on a second line,
//                                              "closebox X Y", the screen point of its close box
//   WindowDriver texts CLASS CAPTION           prints the texts of the window's controls, one
//                                              per line (a message box's message among them)
//   WindowDriver close CLASS CAPTION           asks the window to close, as Escape does
//   WindowDriver controls CLASS CAPTION        prints every control: class, id, "visible" or
//                                              "hidden", "enabled" or "disabled", its text
//   WindowDriver point CLASS CAPTION TEXT      prints "X Y", the middle of the visible control
//                                              whose text is TEXT ("&" marks left out), or
//                                              whose identifier is ID when TEXT is "#ID"
//   WindowDriver checked CLASS CAPTION TEXT    prints 1 when that check box is ticked, else 0
//   WindowDriver row CLASS CAPTION ROW [box]   prints the middle of row ROW of the visible
//                                              list box, or of the row's check box
//   WindowDriver rows CLASS CAPTION            prints the rows of the visible list box
//   WindowDriver treeitem CLASS CAPTION PATH [button]
//                                              prints the middle of the text of the tree item
//                                              PATH (item texts joined by "\"), or of its
//                                              expand button; the item must be shown
//   WindowDriver choose CLASS CAPTION N ROW    chooses row ROW of the N-th visible drop-down
//                                              list (from 0) as a choice of the user would
//   WindowDriver caption CLASS CAPTION         prints the window's caption
//   WindowDriver helpbox CLASS CAPTION         prints "X Y", the middle of the help button
//                                              the main window draws left of its minimize box
// Exit code 0 on success, 1 when the window or the control is not there.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

// A caption of "*" takes the window of the class whatever its caption (the progress of a
// run shows in the main window's caption).
HWND FindVisible(const wchar_t* className, const wchar_t* caption) {
    const HWND window = FindWindowW(className, lstrcmpW(caption, L"*") == 0 ? nullptr : caption);
    return window != nullptr && IsWindowVisible(window) ? window : nullptr;
}

int Wait(const wchar_t* className, const wchar_t* caption, int seconds) {
    for (int waited = 0; waited <= seconds * 10; ++waited) {
        if (const HWND window = FindVisible(className, caption)) {
            RECT client{}, frame{};
            GetClientRect(window, &client);
            GetWindowRect(window, &frame);
            std::printf("client %ld %ld\n", client.right - client.left, client.bottom - client.top);
            // The close box is the last caption button, inside the fixed frame.
            const int x = frame.right - GetSystemMetrics(SM_CXFIXEDFRAME) -
                          GetSystemMetrics(SM_CXSIZE) / 2 - 1;
            const int y =
                frame.top + GetSystemMetrics(SM_CYFIXEDFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2;
            std::printf("closebox %d %d\n", x, y);
            return 0;
        }
        Sleep(100);
    }
    std::fprintf(stderr, "window %ls \"%ls\" did not appear\n", className, caption);
    return 1;
}

std::wstring Text(HWND window) {
    wchar_t text[1024] = L"";
    GetWindowTextW(window, text, 1024);
    return text;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = L"";
    GetClassNameW(window, name, 64);
    return name;
}

// Every descendant control, in the order the system lists them.
std::vector<HWND> Controls(HWND window) {
    std::vector<HWND> controls;
    EnumChildWindows(
        window,
        [](HWND child, LPARAM list) {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&controls));
    return controls;
}

// Visible means the control and all its parents are shown.
std::vector<HWND> VisibleOfClass(HWND window, const wchar_t* className) {
    std::vector<HWND> found;
    for (const HWND control : Controls(window)) {
        if (IsWindowVisible(control) && lstrcmpiW(ClassOf(control).c_str(), className) == 0)
            found.push_back(control);
    }
    return found;
}

std::wstring WithoutMarks(const std::wstring& text) {
    std::wstring result;
    for (const wchar_t c : text) {
        if (c != L'&')
            result += c;
    }
    return result;
}

void PrintMiddle(HWND control, RECT rect) {
    POINT middle{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    ClientToScreen(control, &middle);
    std::printf("%ld %ld\n", middle.x, middle.y);
}

int Texts(HWND window) {
    for (const HWND control : Controls(window)) {
        const std::wstring text = Text(control);
        if (!text.empty())
            std::printf("%ls\n", text.c_str());
    }
    return 0;
}

int ListControls(HWND window) {
    for (const HWND control : Controls(window)) {
        std::printf("%ls %d %s %s %ls\n", ClassOf(control).c_str(), GetDlgCtrlID(control),
                    IsWindowVisible(control) ? "visible" : "hidden",
                    IsWindowEnabled(control) ? "enabled" : "disabled", Text(control).c_str());
    }
    return 0;
}

// "#ID" names a control by its identifier, which edits without text need.
HWND VisibleWithText(HWND window, const std::wstring& text) {
    const bool byId = text.size() > 1 && text[0] == L'#';
    for (const HWND control : Controls(window)) {
        if (!IsWindowVisible(control))
            continue;
        if (byId ? GetDlgCtrlID(control) == _wtoi(text.c_str() + 1)
                 : WithoutMarks(Text(control)) == WithoutMarks(text))
            return control;
    }
    std::fprintf(stderr, "no visible control \"%ls\"\n", text.c_str());
    return nullptr;
}

int Point(HWND window, const std::wstring& text) {
    const HWND control = VisibleWithText(window, text);
    if (control == nullptr)
        return 1;
    RECT client{};
    GetClientRect(control, &client);
    PrintMiddle(control, client);
    return 0;
}

int Checked(HWND window, const std::wstring& text) {
    const HWND control = VisibleWithText(window, text);
    if (control == nullptr)
        return 1;
    std::printf("%d\n", SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0);
    return 0;
}

HWND VisibleListBox(HWND window) {
    const auto lists = VisibleOfClass(window, L"ListBox");
    if (lists.empty()) {
        std::fprintf(stderr, "no visible list box\n");
        return nullptr;
    }
    return lists.front();
}

// List boxes are system controls: their messages carry their data across processes.
int Row(HWND window, int row, bool box) {
    const HWND list = VisibleListBox(window);
    if (list == nullptr)
        return 1;
    RECT rect{};
    if (SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(row),
                     reinterpret_cast<LPARAM>(&rect)) == LB_ERR) {
        std::fprintf(stderr, "no row %d\n", row);
        return 1;
    }
    if (box)
        rect.right = rect.left + 16;
    PrintMiddle(list, rect);
    return 0;
}

int Rows(HWND window) {
    const HWND list = VisibleListBox(window);
    if (list == nullptr)
        return 1;
    const auto count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        wchar_t text[1024] = L"";
        if (SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0) < 1024)
            SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        std::printf("%ls\n", text);
    }
    return 0;
}

// Memory in the program's process: the tree's messages take pointers there.
class TRemoteBuffer {
public:
    TRemoteBuffer(HWND window, std::size_t size) : size_(size) {
        DWORD id = 0;
        GetWindowThreadProcessId(window, &id);
        process_ =
            OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, id);
        if (process_ != nullptr)
            address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
    }
    ~TRemoteBuffer() {
        if (address_ != nullptr)
            VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
        if (process_ != nullptr)
            CloseHandle(process_);
    }
    TRemoteBuffer(const TRemoteBuffer&) = delete;
    TRemoteBuffer& operator=(const TRemoteBuffer&) = delete;

    bool Valid() const { return address_ != nullptr; }
    char* Address(std::size_t offset = 0) const { return static_cast<char*>(address_) + offset; }
    void Write(const void* data, std::size_t size, std::size_t offset = 0) const {
        WriteProcessMemory(process_, Address(offset), data, size, nullptr);
    }
    void Read(void* data, std::size_t size, std::size_t offset = 0) const {
        ReadProcessMemory(process_, Address(offset), data, size, nullptr);
    }

private:
    HANDLE process_ = nullptr;
    void* address_ = nullptr;
    std::size_t size_;
};

class TRemoteTree {
public:
    explicit TRemoteTree(HWND tree) : tree_(tree), buffer_(tree, 4096) {}

    bool Valid() const { return buffer_.Valid(); }

    std::wstring ItemText(HTREEITEM item) const {
        constexpr std::size_t kTextOffset = 512;
        TVITEMW data{};
        data.mask = TVIF_TEXT;
        data.hItem = item;
        data.pszText = reinterpret_cast<wchar_t*>(buffer_.Address(kTextOffset));
        data.cchTextMax = 256;
        buffer_.Write(&data, sizeof data);
        SendMessageW(tree_, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(buffer_.Address()));
        wchar_t text[256] = L"";
        buffer_.Read(text, sizeof text, kTextOffset);
        text[255] = L'\0';
        return text;
    }

    // The rectangle of the item's text.
    RECT TextRect(HTREEITEM item) const {
        RECT rect{};
        std::memcpy(&rect, &item, sizeof item);  // the item goes in where the rectangle comes out
        buffer_.Write(&rect, sizeof rect);
        SendMessageW(tree_, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(buffer_.Address()));
        buffer_.Read(&rect, sizeof rect);
        return rect;
    }

    bool IsButtonAt(HTREEITEM item, POINT point) const {
        TVHITTESTINFO hit{};
        hit.pt = point;
        buffer_.Write(&hit, sizeof hit);
        const auto found = reinterpret_cast<HTREEITEM>(
            SendMessageW(tree_, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(buffer_.Address())));
        buffer_.Read(&hit, sizeof hit);
        return found == item && (hit.flags & TVHT_ONITEMBUTTON) != 0;
    }

    HTREEITEM Find(const std::wstring& path) const {
        HTREEITEM item = TreeView_GetRoot(tree_);
        std::size_t start = 0;
        while (item != nullptr) {
            const std::size_t end = path.find(L'\\', start);
            const std::wstring name =
                path.substr(start, end == std::wstring::npos ? end : end - start);
            while (item != nullptr && ItemText(item) != name)
                item = TreeView_GetNextSibling(tree_, item);
            if (item == nullptr || end == std::wstring::npos)
                return item;
            item = TreeView_GetChild(tree_, item);
            start = end + 1;
        }
        return nullptr;
    }

private:
    HWND tree_;
    TRemoteBuffer buffer_;
};

int TreeItem(HWND window, const std::wstring& path, bool button) {
    const auto trees = VisibleOfClass(window, WC_TREEVIEWW);
    if (trees.empty()) {
        std::fprintf(stderr, "no visible tree\n");
        return 1;
    }
    const HWND tree = trees.front();
    const TRemoteTree remote(tree);
    if (!remote.Valid()) {
        std::fprintf(stderr, "cannot reach the tree's process\n");
        return 1;
    }
    const HTREEITEM item = remote.Find(path);
    if (item == nullptr) {
        std::fprintf(stderr, "no tree item %ls\n", path.c_str());
        return 1;
    }
    const RECT text = remote.TextRect(item);
    if (text.right <= text.left) {
        std::fprintf(stderr, "tree item %ls is not shown\n", path.c_str());
        return 1;
    }
    if (!button) {
        PrintMiddle(tree, text);
        return 0;
    }
    const int y = (text.top + text.bottom) / 2;
    for (int x = text.left - 1; x >= 0; --x) {
        if (remote.IsButtonAt(item, POINT{x, y})) {
            PrintMiddle(tree, RECT{x - 3, y, x - 3, y});
            return 0;
        }
    }
    std::fprintf(stderr, "tree item %ls has no expand button\n", path.c_str());
    return 1;
}

int Choose(HWND window, int index, int row) {
    const auto combos = VisibleOfClass(window, WC_COMBOBOXW);
    if (index < 0 || index >= static_cast<int>(combos.size())) {
        std::fprintf(stderr, "no visible drop-down list %d\n", index);
        return 1;
    }
    const HWND combo = combos[static_cast<std::size_t>(index)];
    if (SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(row), 0) == CB_ERR)
        return 1;
    // What the list tells its parent when the user picks a row.
    SendMessageW(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
    return 0;
}

int Close(HWND window) {
    PostMessageW(window, WM_CLOSE, 0, 0);
    return 0;
}

int Usage() {
    std::fprintf(stderr,
                 "usage: WindowDriver wait CLASS CAPTION SECONDS | texts|close|controls|rows CLASS "
                 "CAPTION | point|checked CLASS CAPTION TEXT | row CLASS CAPTION ROW [box] | "
                 "treeitem CLASS CAPTION PATH [button] | choose CLASS CAPTION N ROW\n");
    return 2;
}

}  // namespace

int Caption(HWND window) {
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    std::printf("%ls\n", text);
    return 0;
}

// Where the main window draws its help button: right to left the close box, a gap, the
// maximize and minimize boxes, a gap, then the help button, each box two pixels narrower
// than the caption button size.
int HelpBox(HWND window) {
    RECT frame{};
    GetWindowRect(window, &frame);
    const int gap = 2;
    const int width = GetSystemMetrics(SM_CXSIZE) - gap;
    const int right =
        frame.right - GetSystemMetrics(SM_CXFIXEDFRAME) - gap - (width + gap) - (2 * width + gap);
    const int y = frame.top + GetSystemMetrics(SM_CYFIXEDFRAME) + GetSystemMetrics(SM_CYSIZE) / 2;
    std::printf("%d %d\n", right - width / 2, y);
    return 0;
}

int wmain(int argc, wchar_t** argv) {
    if (argc < 4)
        return Usage();
    const std::wstring command = argv[1];
    if (command == L"wait")
        return argc == 5 ? Wait(argv[2], argv[3], _wtoi(argv[4])) : Usage();
    const HWND window = FindVisible(argv[2], argv[3]);
    if (window == nullptr) {
        std::fprintf(stderr, "no window %ls \"%ls\"\n", argv[2], argv[3]);
        return 1;
    }
    const std::wstring option = argc > 5 ? argv[5] : L"";
    if (command == L"texts" && argc == 4)
        return Texts(window);
    if (command == L"close" && argc == 4)
        return Close(window);
    if (command == L"controls" && argc == 4)
        return ListControls(window);
    if (command == L"rows" && argc == 4)
        return Rows(window);
    if (command == L"point" && argc == 5)
        return Point(window, argv[4]);
    if (command == L"checked" && argc == 5)
        return Checked(window, argv[4]);
    if (command == L"row" && (argc == 5 || argc == 6))
        return Row(window, _wtoi(argv[4]), option == L"box");
    if (command == L"treeitem" && (argc == 5 || argc == 6))
        return TreeItem(window, argv[4], option == L"button");
    if (command == L"caption" && argc == 4)
        return Caption(window);
    if (command == L"helpbox" && argc == 4)
        return HelpBox(window);
    if (command == L"choose" && argc == 6)
        return Choose(window, _wtoi(argv[4]), _wtoi(argv[5]));
    return Usage();
}
