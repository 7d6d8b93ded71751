// ComObject: the one reference count every COM-style stand-in shares.
#pragma once

#include <d3d9.h>

// Implements IUnknown's AddRef and Release for an interface. States: alive with one reference
// or more (one at creation, its creator's); deleted when the last one is released, letting go
// in its destructor of what it holds (its device, its textures).
template <class Interface> class ComObject : public Interface {
  public:
    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;

    ULONG AddRef() final { return ++refs; }

    ULONG Release() final {
        const ULONG left = --refs;
        if (left == 0) {
            delete this;
        }
        return left;
    }

  protected:
    ComObject() = default;
    virtual ~ComObject() = default;

  private:
    ULONG refs = 1;
};
