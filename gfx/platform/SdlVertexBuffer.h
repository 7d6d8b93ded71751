// SdlVertexBuffer: the Direct3D 9 vertex buffer stand-in, vertex bytes in memory.
#pragma once

#include <d3d9.h>

#include <cstdint>
#include <vector>

class SdlDevice9;

class SdlVertexBuffer final : public IDirect3DVertexBuffer9 {
  public:
    // A zero-filled buffer of length bytes; keeps a reference on the device.
    SdlVertexBuffer(SdlDevice9* device, UINT length);

    ULONG AddRef() override;
    ULONG Release() override;
    HRESULT Lock(UINT OffsetToLock, UINT SizeToLock, void** ppbData, DWORD Flags) override;
    HRESULT Unlock() override;

    const std::uint8_t* getData() const { return bytes.data(); }
    UINT getLength() const { return static_cast<UINT>(bytes.size()); }

  private:
    ~SdlVertexBuffer() = default;

    ULONG refs = 1;
    SdlDevice9* device;
    std::vector<std::uint8_t> bytes;
    UINT locks = 0;
};
