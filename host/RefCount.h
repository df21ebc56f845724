#pragma once

#include "host/HostExport.h"

#include <atomic>

/// The host's shared types: reference counting, paths and times.
namespace Tarvos {

/// Base of every object shared through boost::intrusive_ptr. The count lives in
/// the implementing class (usually a RefCountImpl member, through RefCounted),
/// which deletes itself when the last reference goes.
class REELKIT_HOST_EXPORT IRefCountable
{
protected:
    /// Objects are deleted through Release(), never directly.
    virtual ~IRefCountable();

public:
    /// Takes a reference; returns the count after the increment.
    virtual unsigned int AddRef() const = 0;
    /// The current count.
    virtual unsigned int GetRefCount() const = 0;
    /// Drops a reference and deletes the object when it was the last; returns
    /// the count after the decrement (the object is gone at 0).
    virtual unsigned int Release() const = 0;
};

/// The counter embedded in a counted class, starting at 0. Thread-safe
/// (atomic), so that references may be taken and dropped from the player's
/// threads as well.
class REELKIT_HOST_EXPORT RefCountImpl
{
public:
    /// Increments the count and returns the count after it.
    unsigned int AddRefImpl() const;
    /// Returns the count after the decrement; the owner deletes itself at 0.
    unsigned int ReleaseImpl() const;
    /// The current count, for diagnostics: other threads may change it at once.
    unsigned int GetRefCountImpl() const;

private:
    mutable std::atomic<unsigned int> m_count { 0 };
};

/// Implements IRefCountable (or an interface derived from it) with a
/// RefCountImpl; the object deletes itself when Release() drops the count to 0.
/// A new object has the count 0: hand it to a boost::intrusive_ptr at once.
template <class Interface = IRefCountable> class RefCounted : public Interface
{
public:
    /// Takes a reference; returns the count after the increment.
    unsigned int AddRef() const override { return m_refCount.AddRefImpl(); }
    /// Drops a reference, deleting the object at 0; returns the count after it.
    unsigned int Release() const override
    {
        const unsigned int count = m_refCount.ReleaseImpl();
        if (count == 0)
            delete this;
        return count;
    }
    /// The current count, for diagnostics and tests.
    unsigned int GetRefCount() const override { return m_refCount.GetRefCountImpl(); }

protected:
    /// The interface's constructors.
    using Interface::Interface;

private:
    RefCountImpl m_refCount;
};

/// The hook through which boost::intrusive_ptr takes a reference (AddRef()).
REELKIT_HOST_EXPORT void intrusive_ptr_add_ref(const IRefCountable* object);
/// The hook through which boost::intrusive_ptr drops a reference (Release()).
REELKIT_HOST_EXPORT void intrusive_ptr_release(const IRefCountable* object);

} // namespace Tarvos
