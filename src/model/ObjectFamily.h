#pragma once

#include <QList>

#include <algorithm>
#include <climits>

// Helpers for the layout object families. Each family is stored as parallel arrays, one
// per attribute, entry i of every array being object i. A family is declared once as an
// attribute list X(Type, name, setter, defaultValue); the macros below turn that list into
//   - the one-object value type (fields with their defaults),
//   - the plain arrays type used by the file readers and writers,
//   - the family's accessors: name() for the whole array, name(i) for one entry,
//     setter(i, v) for one entry.
// Only the family class changes lengths, and it changes every array at once, so the
// arrays cannot drift apart.

#define ORINOTE_OBJECT_FIELD(Type, name, setter, init) Type name = init;
#define ORINOTE_ARRAY_FIELD(Type, name, setter, init) QList<Type> name;
#define ORINOTE_FAMILY_ACCESSORS(Type, name, setter, init)                                    \
    const QList<Type>& name() const { return m.name; }                                       \
    Type name(int i) const { return i >= 0 && i < m.name.size() ? m.name.at(i) : Type(init); } \
    void setter(int i, const Type& v)                                                         \
    {                                                                                         \
        if (i >= 0 && i < m.name.size())                                                      \
            m.name[i] = v;                                                                    \
    }

#define ORINOTE_MIN_SIZE(Type, name, setter, init) n = std::min(n, int(name.size()));
#define ORINOTE_MAX_SIZE(Type, name, setter, init) n = std::max(n, int(name.size()));
#define ORINOTE_TRUNCATE(Type, name, setter, init)                                            \
    if (name.size() > n)                                                                      \
        name.resize(n);
#define ORINOTE_PAD(Type, name, setter, init)                                                 \
    while (name.size() < n)                                                                   \
        name.append(Type(init));
#define ORINOTE_INSERT(Type, name, setter, init) m.name.insert(i, o.name);
#define ORINOTE_REMOVE(Type, name, setter, init) m.name.removeAt(i);
#define ORINOTE_CLEAR(Type, name, setter, init) m.name.clear();
#define ORINOTE_GATHER(Type, name, setter, init) o.name = m.name.at(i);
#define ORINOTE_EQUAL(Type, name, setter, init) &&name == o.name

// The members every arrays type gets: its shortest and longest array, cutting every
// array to a length, and padding every array with default values to a length.
#define ORINOTE_ARRAYS_METHODS(LIST, Arrays)                                                  \
    bool operator==(const Arrays& o) const { return true LIST(ORINOTE_EQUAL); }              \
    bool operator!=(const Arrays& o) const { return !(*this == o); }                         \
    int minSize() const                                                                       \
    {                                                                                         \
        int n = INT_MAX;                                                                      \
        LIST(ORINOTE_MIN_SIZE)                                                                \
        return n;                                                                             \
    }                                                                                         \
    int maxSize() const                                                                       \
    {                                                                                         \
        int n = 0;                                                                            \
        LIST(ORINOTE_MAX_SIZE)                                                                \
        return n;                                                                             \
    }                                                                                         \
    void truncate(int n) { LIST(ORINOTE_TRUNCATE) }                                           \
    void pad(int n) { LIST(ORINOTE_PAD) }

// The members every family class gets, over its arrays `m`.
#define ORINOTE_FAMILY_METHODS(LIST, Family, Object, Arrays, first)                                      \
public:                                                                                       \
    LIST(ORINOTE_FAMILY_ACCESSORS)                                                            \
    int size() const { return int(m.first.size()); }                                         \
    bool isEmpty() const { return size() == 0; }                                              \
    const Arrays& arrays() const { return m; }                                                \
    Object at(int i) const                                                                    \
    {                                                                                         \
        Object o;                                                                             \
        if (i >= 0 && i < size()) {                                                           \
            LIST(ORINOTE_GATHER)                                                              \
        }                                                                                     \
        return o;                                                                             \
    }                                                                                         \
    void insert(int i, const Object& o)                                                       \
    {                                                                                         \
        i = std::clamp(i, 0, size());                                                         \
        LIST(ORINOTE_INSERT)                                                                  \
    }                                                                                         \
    void append(const Object& o) { insert(size(), o); }                                       \
    void removeAt(int i)                                                                      \
    {                                                                                         \
        if (i < 0 || i >= size())                                                             \
            return;                                                                           \
        LIST(ORINOTE_REMOVE)                                                                  \
    }                                                                                         \
    void clear() { LIST(ORINOTE_CLEAR) }                                                      \
    /* Takes arrays read from a file. When their lengths differ, every array is cut to   */  \
    /* the shortest and false is returned.                                               */  \
    bool assign(Arrays arrays)                                                                \
    {                                                                                         \
        const int n = arrays.minSize();                                                       \
        const bool equal = n == arrays.maxSize();                                             \
        arrays.truncate(n);                                                                   \
        m = std::move(arrays);                                                                \
        return equal;                                                                         \
    }                                                                                         \
    bool operator==(const Family& o) const { return m == o.m; }                              \
                                                                                              \
private:                                                                                      \
    Arrays m;
