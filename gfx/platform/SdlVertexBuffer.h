// SdlVertexBuffer: the Direct3D 9 vertex buffer stand-in, vertex bytes in memory.
#pragma once

#include "ComObject.h"

#include <d3d9.h>

#include <cstdint>
#include <vector>

class SdlDevice9;

class SdlVertexBuffer final : public ComObject<IDirect3DVertexBuffer9> {
  public:
    // A zero-filled buffer of length bytes; keeps a reference on the device.
    SdlVertexBuffer(SdlDevice9* device, UINT length);

    // Locks the whole buffer (offset and size 0) until as many Unlocks.
    HRESULT Lock(UINT OffsetToLock, UINT SizeToLock, void** ppbData, DWORD Flags) override;
    HRESULT Unlock() override;

    const std::uint8_t* getData() const { return bytes.data(); }
    UINT getLength() const { return static_cast<UINT>(bytes.size()); }

  private:
    // Unbinds the buffer, then lets go of the device.
    ~SdlVertexBuffer() override;

    SdlDevice9* device;
    std::vector<std::uint8_t> bytes;
    UINT locks = 0;
};
