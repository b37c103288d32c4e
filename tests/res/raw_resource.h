// The resources of Kestrum.exe, as the program carries them: the module
// loaded as data, and its resources read as the bytes the resource compiler
// wrote, for checks that the loading functions cannot make.
#pragma once

#include <windows.h>

#include <cstring>
#include <string>

namespace restest {

struct RawResource {
    const BYTE* data = nullptr;
    DWORD size = 0;
};

// Kestrum.exe of this build: it lies next to the test program.
inline std::string ProgramPath() {
    char path[MAX_PATH] = {};
    const DWORD n = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string self(path, n);
    return self.substr(0, self.find_last_of('\\') + 1) + "Kestrum.exe";
}

// The program's module, loaded once as data (nothing of it runs).
inline HMODULE Program() {
    static const HMODULE module = ::LoadLibraryExA(ProgramPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    return module;
}

// The resource of the given type and id in the program; empty when there is
// none.
inline RawResource FindRaw(LPCSTR type, WORD id) {
    HMODULE module = Program();
    HRSRC info = ::FindResourceA(module, MAKEINTRESOURCEA(id), type);
    if (!info) return {};
    HGLOBAL loaded = ::LoadResource(module, info);
    if (!loaded) return {};
    return {static_cast<const BYTE*>(::LockResource(loaded)), ::SizeofResource(module, info)};
}

// Little-endian fields read one after another. Reading past the end yields
// zeros and clears ok(), so a short resource fails its checks instead of
// reading foreign memory.
class ByteReader {
public:
    explicit ByteReader(RawResource raw) : m_data(raw.data), m_size(raw.data ? raw.size : 0) {}

    bool ok() const { return m_ok; }
    size_t offset() const { return m_offset; }

    WORD Word() { return Read<WORD>(); }
    DWORD Dword() { return Read<DWORD>(); }
    short Short() { return Read<short>(); }
    BYTE Byte() { return Read<BYTE>(); }

    // A NUL-terminated UTF-16 string.
    std::wstring WideString() {
        std::wstring text;
        for (WORD ch = Word(); m_ok && ch != 0; ch = Word()) text += static_cast<wchar_t>(ch);
        return text;
    }

    // A dialog template's name-or-ordinal field: 0xFFFF and an ordinal, or a
    // string (empty when the field is a single 0).
    struct NameOrOrdinal {
        bool isOrdinal = false;
        WORD ordinal = 0;
        std::wstring text;
    };
    NameOrOrdinal NameOrOrdinalField() {
        NameOrOrdinal field;
        WORD first = Word();
        if (first == 0xFFFF) {
            field.isOrdinal = true;
            field.ordinal = Word();
        } else if (first != 0) {
            field.text = static_cast<wchar_t>(first) + WideString();
        }
        return field;
    }

    void AlignDword() { m_offset = (m_offset + 3) & ~size_t{3}; }

private:
    template <class T>
    T Read() {
        T value{};
        if (m_offset + sizeof(T) > m_size) {
            m_ok = false;
            m_offset = m_size;
            return value;
        }
        std::memcpy(&value, m_data + m_offset, sizeof(T));
        m_offset += sizeof(T);
        return value;
    }

    const BYTE* m_data;
    size_t m_size;
    size_t m_offset = 0;
    bool m_ok = true;
};

}  // namespace restest
