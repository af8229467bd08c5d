#pragma once
// Per-object named event hub with synchronous delivery. A class declares its
// event names once in a TMvcEventTable; each object's hub is bound to that table,
// listeners register per event name and receiver, and Call delivers on the
// calling thread before it returns.
#include "base/TDynamic.h"
#include "base/TString.h"

#include <functional>
#include <memory>
#include <mutex>
#include <vector>

// Base of every event parameter record.
class TMvcParam : public TDynamic
{
    TDYN_DECLARE(TMvcParam)
};

class TMvcEventTable
{
public:
    explicit TMvcEventTable(const char *name) : m_name(name) {}
    const TString &GetName() const { return m_name; }
    // Adds an event type with the class name of its parameter record; false when known already.
    bool RegisterEventType(const TString &eventName, const TString &paramClassName);
    bool HasEventType(const TString &eventName) const;
    // Event names in the order of registration.
    std::vector<TString> GetEventTypes() const;

private:
    struct EventType
    {
        TString name;
        TString paramClass;
    };
    TString m_name;
    mutable std::mutex m_mutex;
    std::vector<EventType> m_types;
};

class TMvc
{
public:
    using Handler = std::function<bool(TMvcParam &)>;

    // Hub system: tables by name.
    static bool RegisterEventTable(TMvcEventTable *table);
    static void UnregisterEventTable(TMvcEventTable *table);
    static TMvcEventTable *FindEventTable(const TString &name);

    // Binds the hub to the registered table of that name (unbound if there is none).
    explicit TMvc(const TString &tableName);
    TMvc(const TMvc &) = delete;
    TMvc &operator=(const TMvc &) = delete;

    const TString &GetTableName() const { return m_tableName; }

    // Registers receiver's handler for an event of the bound table; false for an
    // unknown event or a receiver already registered for it.
    bool AddNotification(const TString &eventName, const void *receiver, Handler handler);
    template<class R, class P>
    bool AddNotification(const TString &eventName, R *receiver, bool (R::*member)(P &))
    {
        return AddNotification(eventName, receiver, [receiver, member](TMvcParam &p) {
            return (receiver->*member)(static_cast<P &>(p));
        });
    }
    bool RemoveNotification(const TString &eventName, const void *receiver);
    int NotificationCount() const;
    // Whether any handler listens to the event.
    bool HasNotification(const char *eventName) const;

    // Replaces this hub's registrations by a copy of other's.
    void CopyNotifications(const TMvc &other);

    // Delivers param to every handler of the event in the order of registration;
    // true when every handler returned true (also when there is none).
    bool Call(const char *eventName, TMvcParam &param) const;

private:
    struct Listener
    {
        TString event;
        const void *receiver;
        Handler handler;
    };
    using ListenerList = std::vector<Listener>;

    std::shared_ptr<const ListenerList> Snapshot() const;

    TString m_tableName;
    mutable std::mutex m_mutex;
    // Copy-on-write: Call works on a snapshot, so handlers may add or remove
    // registrations and delivery on a worker never holds the hub's mutex.
    std::shared_ptr<const ListenerList> m_listeners;
};
