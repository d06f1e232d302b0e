#pragma once
// Where the private store lives and how its value names are cut into AES keys and IVs.

#include <array>
#include <cstddef>
#include <cstring>
#include <string>

inline constexpr const char* kCertStoreRegPath = "Software\\DOZA\\CertStore";
inline constexpr const char* kCertInfoRegPath = "SOFTWARE\\DOZA\\CertStore\\CertInfo";

// The AES key and IV are 16 characters of the value name, used as raw bytes.
inline constexpr size_t kWindowLength = 16;
// A window is copied into a zeroed buffer one byte longer than the window.
inline constexpr size_t kWindowBufferSize = kWindowLength + 1;

struct KeyWindows {
    size_t keyOffset;
    size_t ivOffset;
    size_t MinimumNameLength() const { return ivOffset + kWindowLength; }
};

inline constexpr KeyWindows kCertificateWindows{0, 31};
inline constexpr KeyWindows kCertInfoWindows{7, 25};

using WindowBuffer = std::array<unsigned char, kWindowBufferSize>;

// The name must hold offset + 16 characters.
inline WindowBuffer CutWindow(const std::string& valueName, size_t offset)
{
    WindowBuffer buffer{};
    std::memcpy(buffer.data(), valueName.data() + offset, kWindowLength);
    return buffer;
}
