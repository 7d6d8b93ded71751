// SdlVertexBuffer: the Direct3D 9 vertex buffer stand-in, vertex bytes in memory.
#include "SdlVertexBuffer.h"

#include "SdlDevice9.h"

SdlVertexBuffer::SdlVertexBuffer(SdlDevice9* device, UINT length)
    : device(device), bytes(length, 0) {
    device->AddRef();
}

SdlVertexBuffer::~SdlVertexBuffer() {
    device->unbind(this);
    device->Release();
}

HRESULT SdlVertexBuffer::Lock(UINT OffsetToLock, UINT SizeToLock, void** ppbData, DWORD /*Flags*/) {
    if (ppbData == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    *ppbData = nullptr;
    if (OffsetToLock != 0 || SizeToLock != 0) {
        return D3DERR_INVALIDCALL;
    }
    ++locks;
    *ppbData = bytes.data();
    return D3D_OK;
}

HRESULT SdlVertexBuffer::Unlock() {
    if (locks == 0) {
        return D3DERR_INVALIDCALL;
    }
    --locks;
    return D3D_OK;
}
