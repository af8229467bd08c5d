#include "base/TMvc.h"

#include <cstring>
#include <map>
#include <string>

TDYN_IMPLEMENT(TMvcParam, "TDynamic");

bool TMvcEventTable::RegisterEventType(const TString &eventName, const TString &paramClassName)
{
    std::lock_guard<std::mutex> guard(m_mutex);
    for (const EventType &t : m_types)
        if (t.name == eventName)
            return false;
    m_types.push_back({eventName, paramClassName});
    return true;
}

bool TMvcEventTable::HasEventType(const TString &eventName) const
{
    std::lock_guard<std::mutex> guard(m_mutex);
    for (const EventType &t : m_types)
        if (t.name == eventName)
            return true;
    return false;
}

std::vector<TString> TMvcEventTable::GetEventTypes() const
{
    std::lock_guard<std::mutex> guard(m_mutex);
    std::vector<TString> names;
    for (const EventType &t : m_types)
        names.push_back(t.name);
    return names;
}

namespace {
struct TableRegistry
{
    std::mutex mutex;
    std::map<std::string, TMvcEventTable *> tables;
};

TableRegistry &Tables()
{
    static TableRegistry *registry = new TableRegistry;
    return *registry;
}
} // namespace

bool TMvc::RegisterEventTable(TMvcEventTable *table)
{
    if (!table)
        return false;
    TableRegistry &r = Tables();
    std::lock_guard<std::mutex> guard(r.mutex);
    return r.tables.emplace(table->GetName().Str(), table).second;
}

void TMvc::UnregisterEventTable(TMvcEventTable *table)
{
    if (!table)
        return;
    TableRegistry &r = Tables();
    std::lock_guard<std::mutex> guard(r.mutex);
    auto it = r.tables.find(table->GetName().Str());
    if (it != r.tables.end() && it->second == table)
        r.tables.erase(it);
}

TMvcEventTable *TMvc::FindEventTable(const TString &name)
{
    TableRegistry &r = Tables();
    std::lock_guard<std::mutex> guard(r.mutex);
    auto it = r.tables.find(name.Str());
    return it == r.tables.end() ? nullptr : it->second;
}

TMvc::TMvc(const TString &tableName)
    : m_tableName(tableName), m_listeners(std::make_shared<const ListenerList>())
{}

std::shared_ptr<const TMvc::ListenerList> TMvc::Snapshot() const
{
    std::lock_guard<std::mutex> guard(m_mutex);
    return m_listeners;
}

bool TMvc::AddNotification(const TString &eventName, const void *receiver, Handler handler)
{
    TMvcEventTable *table = FindEventTable(m_tableName);
    if (!table || !table->HasEventType(eventName) || !receiver || !handler)
        return false;
    std::lock_guard<std::mutex> guard(m_mutex);
    for (const Listener &l : *m_listeners)
        if (l.receiver == receiver && l.event == eventName)
            return false;
    auto next = std::make_shared<ListenerList>(*m_listeners);
    next->push_back({eventName, receiver, std::move(handler)});
    m_listeners = std::move(next);
    return true;
}

bool TMvc::RemoveNotification(const TString &eventName, const void *receiver)
{
    std::lock_guard<std::mutex> guard(m_mutex);
    auto next = std::make_shared<ListenerList>(*m_listeners);
    auto before = next->size();
    std::erase_if(
        *next, [&](const Listener &l) { return l.receiver == receiver && l.event == eventName; });
    if (next->size() == before)
        return false;
    m_listeners = std::move(next);
    return true;
}

int TMvc::NotificationCount() const
{
    return static_cast<int>(Snapshot()->size());
}

bool TMvc::HasNotification(const char *eventName) const
{
    auto listeners = Snapshot();
    for (const Listener &l : *listeners)
        if (std::strcmp(l.event.c_str(), eventName) == 0)
            return true;
    return false;
}

void TMvc::CopyNotifications(const TMvc &other)
{
    auto theirs = other.Snapshot();
    std::lock_guard<std::mutex> guard(m_mutex);
    m_listeners = theirs;
}

bool TMvc::Call(const char *eventName, TMvcParam &param) const
{
    auto listeners = Snapshot();
    bool all = true;
    for (const Listener &l : *listeners)
        if (std::strcmp(l.event.c_str(), eventName) == 0)
            all = l.handler(param) && all;
    return all;
}
