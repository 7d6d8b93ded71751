// SdlVertexBuffer: the Direct3D 9 vertex buffer stand-in, vertex bytes in memory.
#include "SdlVertexBuffer.h"

#include "SdlDevice9.h"

SdlVertexBuffer::SdlVertexBuffer(SdlDevice9* device, UINT length)
    : device(device), bytes(length, 0) {
    device->AddRef();
}

ULONG SdlVertexBuffer::AddRef() {
    return ++refs;
}

ULONG SdlVertexBuffer::Release() {
    const ULONG left = --refs;
    if (left == 0) {
        SdlDevice9* owner = device;
        owner->unbind(this);
        delete this;
        owner->Release();
    }
    return left;
}

// Offset and size 0 lock the whole buffer; a size of 0 otherwise reaches to its end.
HRESULT SdlVertexBuffer::Lock(UINT OffsetToLock, UINT SizeToLock, void** ppbData, DWORD /*Flags*/) {
    if (ppbData == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    *ppbData = nullptr;
    if (OffsetToLock > bytes.size() ||
        static_cast<std::uint64_t>(OffsetToLock) + SizeToLock > bytes.size()) {
        return D3DERR_INVALIDCALL;
    }
    ++locks;
    *ppbData = bytes.data() + OffsetToLock;
    return D3D_OK;
}

HRESULT SdlVertexBuffer::Unlock() {
    if (locks == 0) {
        return D3DERR_INVALIDCALL;
    }
    --locks;
    return D3D_OK;
}
