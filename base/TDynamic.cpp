#include "base/TDynamic.h"

#include <map>
#include <mutex>
#include <string>

namespace {
struct Registry
{
    std::mutex mutex;
    std::map<std::string, const TDynRTTI *> classes;
};

// Built on first use, so registrations from static objects in any library are safe.
Registry &TheRegistry()
{
    static Registry *registry = new Registry;
    return *registry;
}
} // namespace

TDynRTTI::TDynRTTI(const char *className, const char *baseName, Factory factory)
    : m_className(className), m_baseName(baseName ? baseName : ""), m_factory(factory)
{
    Registry &r = TheRegistry();
    std::lock_guard<std::mutex> guard(r.mutex);
    r.classes[className] = this;
}

TDynRTTI::~TDynRTTI()
{
    Registry &r = TheRegistry();
    std::lock_guard<std::mutex> guard(r.mutex);
    auto it = r.classes.find(m_className);
    if (it != r.classes.end() && it->second == this)
        r.classes.erase(it);
}

const TDynRTTI *TDynRTTI::Find(const TString &className)
{
    Registry &r = TheRegistry();
    std::lock_guard<std::mutex> guard(r.mutex);
    auto it = r.classes.find(className.Str());
    return it == r.classes.end() ? nullptr : it->second;
}

const TDynRTTI TDynamic::stcoRTTI("TDynamic", "", nullptr);

TString TDynamic::ToString() const
{
    return GetRTTI()->GetClassName();
}

const TDynRTTI *TDynamic::GetRTTI() const
{
    return &stcoRTTI;
}

TDynamic *TDynamic::DynCreate(const TString &className)
{
    const TDynRTTI *rtti = TDynRTTI::Find(className);
    return rtti && rtti->m_factory ? rtti->m_factory() : nullptr;
}

bool TDynamic::IsClassFamily(const TString &className, const TString &familyName)
{
    // Walk up the base names; the depth bound guards against a cycle of bad registrations.
    TString name = className;
    for (int depth = 0; depth < 64 && !name.IsEmpty(); ++depth) {
        if (name == familyName)
            return true;
        const TDynRTTI *rtti = TDynRTTI::Find(name);
        if (!rtti)
            return false;
        name = rtti->GetBaseName();
    }
    return false;
}

bool TDynamic::IsClassFamily(const TString &familyName) const
{
    return IsClassFamily(GetRTTI()->GetClassName(), familyName);
}
