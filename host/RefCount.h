#pragma once

#include "host/HostExport.h"

#include <atomic>

namespace Tarvos {

// Base of every object shared through boost::intrusive_ptr. The count lives in
// the implementing class (usually a RefCountImpl member), which deletes itself
// when the last reference goes.
class REELKIT_HOST_EXPORT IRefCountable
{
protected:
    virtual ~IRefCountable();

public:
    virtual unsigned int AddRef() const = 0;
    virtual unsigned int GetRefCount() const = 0;
    virtual unsigned int Release() const = 0;
};

// The counter embedded in a counted class. Thread-safe, so that references may
// be taken and dropped from the player's threads as well.
class REELKIT_HOST_EXPORT RefCountImpl
{
public:
    unsigned int AddRefImpl() const;
    // Returns the count after the decrement; the owner deletes itself at 0.
    unsigned int ReleaseImpl() const;
    unsigned int GetRefCountImpl() const;

private:
    mutable std::atomic<unsigned int> m_count { 0 };
};

// Implements IRefCountable (or an interface derived from it) with a RefCountImpl.
template <class Interface = IRefCountable> class RefCounted : public Interface
{
public:
    unsigned int AddRef() const override { return m_refCount.AddRefImpl(); }
    unsigned int Release() const override
    {
        const unsigned int count = m_refCount.ReleaseImpl();
        if (count == 0)
            delete this;
        return count;
    }
    unsigned int GetRefCount() const override { return m_refCount.GetRefCountImpl(); }

protected:
    using Interface::Interface;

private:
    RefCountImpl m_refCount;
};

REELKIT_HOST_EXPORT void intrusive_ptr_add_ref(const IRefCountable* object);
REELKIT_HOST_EXPORT void intrusive_ptr_release(const IRefCountable* object);

} // namespace Tarvos
