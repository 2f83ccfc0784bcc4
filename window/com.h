#pragma once
// COM for a thread and references to COM objects, each released when its
// owner goes.

#include <objbase.h>

#include <utility>

namespace trv::win {

// One reference to a COM object, released when it goes.
template <typename T>
class ComRef {
  public:
    ComRef() = default;
    // Takes over a reference the caller already holds.
    explicit ComRef(T* adopted) : object_(adopted) {}
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    ~ComRef() { reset(); }

    T* get() const { return object_; }
    T* operator->() const { return object_; }
    explicit operator bool() const { return object_ != nullptr; }
    // For the call that fills it: whatever was held is released first.
    T** put() {
        reset();
        return &object_;
    }
    void** putVoid() { return reinterpret_cast<void**>(put()); }
    // Releases what is held and takes over `adopted`, a reference the caller holds.
    void reset(T* adopted = nullptr) {
        if (object_) std::exchange(object_, nullptr)->Release();
        object_ = adopted;
    }

  private:
    T* object_ = nullptr;
};

// COM for this thread while the scope lasts, unless the thread has it
// already in the other threading model (then that one serves).
class ComScope {
  public:
    ComScope()
        : result_(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)) {}
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;
    ~ComScope() {
        if (SUCCEEDED(result_)) ::CoUninitialize();
    }

  private:
    HRESULT result_;
};

}  // namespace trv::win
