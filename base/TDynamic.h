#pragma once
// Root class with a registry of classes by name: objects can be created by
// class name and asked whether a class belongs to a family (derives from a base).
#include "base/TString.h"

class TDynamic;

class TDynRTTI
{
public:
    using Factory = TDynamic *(*)();
    // Registers the class for the lifetime of this object (usually a static).
    TDynRTTI(const char *className, const char *baseName, Factory factory);
    ~TDynRTTI();
    TDynRTTI(const TDynRTTI &) = delete;
    TDynRTTI &operator=(const TDynRTTI &) = delete;

    const char *GetClassName() const { return m_className; }
    const char *GetBaseName() const { return m_baseName; }

    // The registered class of that name, or null.
    static const TDynRTTI *Find(const TString &className);

private:
    const char *m_className;
    const char *m_baseName;
    Factory m_factory;
    friend class TDynamic;
};

class TDynamic
{
public:
    virtual ~TDynamic() = default;
    virtual TString ToString() const;
    virtual const TDynRTTI *GetRTTI() const;

    // A new object of the registered class, or null when the class is unknown or
    // cannot be created by name. The caller owns it.
    static TDynamic *DynCreate(const TString &className);
    // True when className is familyName or derives from it, by the registry.
    static bool IsClassFamily(const TString &className, const TString &familyName);
    bool IsClassFamily(const TString &familyName) const;

    static const TDynRTTI stcoRTTI;
};

// In the class body: declares the class's registry entry.
#define TDYN_DECLARE(Class)                                                                        \
public:                                                                                            \
    static const TDynRTTI stcoRTTI;                                                                \
    const TDynRTTI *GetRTTI() const override                                                       \
    {                                                                                              \
        return &stcoRTTI;                                                                          \
    }

// In one source file: registers Class under its name with base BaseName, creatable by name.
#define TDYN_IMPLEMENT(Class, BaseName)                                                            \
    const TDynRTTI Class::stcoRTTI(#Class, BaseName, []() -> TDynamic * { return new Class; })

// The same for a class that cannot be created by name (no default constructor).
#define TDYN_IMPLEMENT_NOCREATE(Class, BaseName)                                                   \
    const TDynRTTI Class::stcoRTTI(#Class, BaseName, nullptr)
