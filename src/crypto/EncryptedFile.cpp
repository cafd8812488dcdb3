#include "crypto/EncryptedFile.h"

#include <algorithm>
#include <cwctype>
#include <optional>
#include <string_view>
#include <vector>

#include "crypto/BufferedStreams.h"
#include "crypto/ByteOrder.h"
#include "crypto/Crc32.h"
#include "platform/Counter.h"
#include "platform/Error.h"
#include "platform/File.h"
#include "platform/FileErrors.h"
#include "platform/Path.h"
#include "platform/Text.h"

namespace dovrel {

namespace {

std::optional<std::uint32_t> NameChecksum(const std::wstring& name) {
    return TextCRC32(ToUtf16(name));
}

// An output under a temporary name in its final folder. It takes the final name only by
// Commit; otherwise it is deleted, so an unfinished file is never left to look finished.
class TPendingOutput {
public:
    TPendingOutput(const std::wstring& target, std::size_t ioBufferBytes) : target_(target) {
        // Refuse before any work when the target could not be replaced at the end.
        if (const unsigned code = ProbeReplaceable(target))
            throw CreateFileError(target, code);
        try {
            temporary_ = CreateTemporaryFile(ExtractFilePath(target), L"~dovrel");
        } catch (const Error& e) {
            throw CreateFileError(target, e.SystemCode());
        }
        // The destructor does not run for a constructor that raises: the empty temporary
        // file goes here.
        try {
            stream_ = std::make_unique<TFileStream>(temporary_, TFileMode::fmCreate);
            writer_ = std::make_unique<TWriteBehindStream>(*stream_, ioBufferBytes);
        } catch (...) {
            stream_.reset();
            DeleteFileAt(temporary_);
            throw;
        }
    }
    ~TPendingOutput() {
        if (temporary_.empty())
            return;
        writer_.reset();
        stream_.reset();
        DeleteFileAt(temporary_);
    }
    TPendingOutput(const TPendingOutput&) = delete;
    TPendingOutput& operator=(const TPendingOutput&) = delete;

    TStream& Stream() { return *writer_; }

    void Commit() {
        writer_->Flush();
        writer_.reset();
        stream_->Flush();
        stream_.reset();
        RenameReplacing(temporary_, target_);
        temporary_.clear();
    }

private:
    std::wstring target_;
    std::wstring temporary_;
    std::unique_ptr<TFileStream> stream_;
    std::unique_ptr<TWriteBehindStream> writer_;
};

// Disk transfers in pieces this large, whatever the 8192-byte chained calls of the format:
// few system calls per file, and a bounded footprint however large the file is.
constexpr std::size_t kIoBufferBytes = 512 << 10;

// A small file needs no more buffer than it has bytes.
std::size_t IoBufferFor(std::int64_t bytes) {
    return static_cast<std::size_t>(
        std::clamp<std::int64_t>(bytes, 1, static_cast<std::int64_t>(kIoBufferBytes)));
}

// The data in about a hundred steps, each cut into 8192-byte chained calls; the cut is part
// of the format, and the reader makes the same one because its D is the writer's D.
bool TransformInChunks(TBlockCipher& cipher, TStream& source, TStream& target, std::int64_t start,
                       bool encrypting, const TOperationEvents& events, int passCount) {
    const double frequency = static_cast<double>(PerformanceFrequency());
    const std::int64_t total = source.Size() - start;
    if (total <= 0)
        return true;
    const std::int64_t stepLength = total >= 100 ? total / 100 : 1;
    std::int64_t done = 0;
    while (done != total) {
        if (events.OnCheckCancel())
            return false;
        const auto step = static_cast<std::uint32_t>(std::min(stepLength, total - done));
        const std::int64_t t1 = PerformanceCounter();
        const std::uint32_t moved = encrypting ? cipher.EncryptStreamPart(source, target, step)
                                               : cipher.DecryptStreamPart(source, target, step);
        // The size was known: fewer bytes is a failed read (or a file cut meanwhile), and a
        // short output must never be taken for the whole one.
        if (moved != step)
            throw Error(L"Stream read error");
        const std::int64_t t2 = PerformanceCounter();
        done += step;
        events.OnProgress(done, total, step / passCount, static_cast<double>(t2 - t1) / frequency);
    }
    return true;
}

// What separates folders in a stored name here: Windows also takes "C:name" and "name:stream"
// as something else than a file of the folder.
constexpr bool kWindowsNames = kPathDelim == L'\\';
constexpr const wchar_t* kNameSeparators = kWindowsNames ? L"\\/:" : L"\\/";

// The names Windows takes for devices (CON, NUL, COM1...), in any letter case and with any
// extension. Refused everywhere: no file encrypted on Windows has such a name.
bool NamesDevice(std::wstring_view name) {
    std::wstring base(name.substr(0, name.find(L'.')));
    while (!base.empty() && base.back() == L' ')
        base.pop_back();
    for (wchar_t& c : base)
        c = static_cast<wchar_t>(std::towupper(c));
    if (base == L"CON" || base == L"PRN" || base == L"AUX" || base == L"NUL")
        return true;
    return base.size() == 4 && (base.starts_with(L"COM") || base.starts_with(L"LPT")) &&
           base[3] >= L'1' && base[3] <= L'9';
}

// A stored name must not lead out of the ".enc" file's folder: only its last component is
// used. One that names no file, a device, or (on Windows, which would drop them) ends in a
// dot or a blank is refused before anything is opened.
std::wstring SafeOutputName(const std::wstring& stored, const std::wstring& path) {
    std::wstring name = stored;
    const auto cut = name.find_last_of(kNameSeparators);
    if (cut != std::wstring::npos)
        name.erase(0, cut + 1);
    const bool dropsEnd =
        kWindowsNames && !name.empty() && (name.back() == L'.' || name.back() == L' ');
    if (name.empty() || name == L"." || name == L".." || NamesDevice(name) || dropsEnd) {
        throw Error(L"The file name stored in \"" + path + L"\" is not valid");
    }
    return name;
}

}  // namespace

bool WriteEncryptedFile(TBlockCipher& cipher, const TCipherId& id, const std::wstring& path,
                        const TOperationEvents& events, int passCount) {
    TFileStream file(path, TFileMode::fmOpenRead);
    const std::int64_t size = file.Size();
    TReadAheadStream source(file, IoBufferFor(size));
    TPendingOutput output(path + L".enc", IoBufferFor(size + kFixedHeaderBytes));
    TStream& target = output.Stream();

    const std::wstring name = ExtractFileName(path);
    const std::string utf8 = ToUtf8(name);
    const std::string encryptedName = cipher.EncryptText(AsBytes(utf8));
    std::uint8_t header[kFixedHeaderBytes];
    std::copy(id.begin(), id.end(), header);
    StoreLE32(header + 3, NameChecksum(name).value_or(0));
    StoreLE32(header + 7, static_cast<std::uint32_t>(encryptedName.size()));
    target.WriteBuffer(header, sizeof header);
    target.WriteBuffer(encryptedName.data(), encryptedName.size());

    if (!TransformInChunks(cipher, source, target, 0, true, events, passCount))
        return false;
    output.Commit();
    return true;
}

bool RestoreFromEncryptedFile(TBlockCipher& cipher, const std::wstring& path, std::string& password,
                              const TOperationEvents& events, int passCount) {
    TFileStream file(path, TFileMode::fmOpenRead);
    const std::int64_t size = file.Size();
    TReadAheadStream source(file, IoBufferFor(size));
    std::uint8_t header[kFixedHeaderBytes];
    source.ReadBuffer(header, sizeof header);
    const std::uint32_t checksum = LoadLE32(header + 3);
    const std::uint32_t nameLength = LoadLE32(header + 7);
    // A damaged length must not make us allocate what the file does not hold.
    if (nameLength > size - kFixedHeaderBytes)
        throw Error(L"Stream read error");
    std::string encryptedName(nameLength, '\0');
    source.ReadBuffer(encryptedName.data(), encryptedName.size());

    auto decryptName = [&] {
        const TBytes bytes = cipher.DecryptText(encryptedName);
        return FromUtf8(std::string(bytes.begin(), bytes.end()));
    };
    std::wstring name = decryptName();
    while (NameChecksum(name) != checksum) {
        if (!events.OnAskPassword(path, password))
            return false;
        cipher.SetKeyFromPassword(AsBytes(password));
        name = decryptName();
    }

    TPendingOutput output(ExtractFilePath(path) + SafeOutputName(name, path), IoBufferFor(size));
    if (!TransformInChunks(cipher, source, output.Stream(), kFixedHeaderBytes + nameLength, false,
                           events, passCount)) {
        return false;
    }
    output.Commit();
    return true;
}

}  // namespace dovrel
