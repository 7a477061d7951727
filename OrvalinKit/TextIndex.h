#pragma once

#include <QHashFunctions>
#include <QStringView>
#include <algorithm>
#include <bit>
#include <vector>

// A small open-addressing hash index from text to a value, meant to be filled, read and reset
// many times in a row: the analyzer keeps one per kind of key and refills it folder by folder,
// so that it stays in the processor's cache and never allocates once it has grown to the
// largest folder. The keys are views: the texts they show must outlive the index's current fill.
template <typename Value> class TextIndex
{
public:
    // Empties the index and makes room for `expected` keys.
    void reset(qsizetype expected)
    {
        const size_t wanted = std::bit_ceil(size_t(std::max<qsizetype>(8, expected * 2)));
        m_slots.assign(wanted, Slot {});
        m_mask = wanted - 1;
    }

    // The value under `key`, or nullptr.
    const Value* find(QStringView key) const
    {
        const size_t hash = qHash(key);
        for (size_t i = hash & m_mask;; i = (i + 1) & m_mask) {
            const Slot& slot = m_slots[i];
            if (!slot.used)
                return nullptr;
            if (slot.hash == hash && slot.key == key)
                return &slot.value;
        }
    }

    Value* find(QStringView key) { return const_cast<Value*>(std::as_const(*this).find(key)); }

    // The value under `key`, a default-constructed one when the key is new. Never holds more
    // keys than the `expected` count given to reset().
    Value& operator[](QStringView key)
    {
        const size_t hash = qHash(key);
        for (size_t i = hash & m_mask;; i = (i + 1) & m_mask) {
            Slot& slot = m_slots[i];
            if (!slot.used) {
                slot = { key, hash, Value {}, true };
                return slot.value;
            }
            if (slot.hash == hash && slot.key == key)
                return slot.value;
        }
    }

private:
    struct Slot
    {
        QStringView key;
        size_t hash = 0;
        Value value {};
        bool used = false;
    };

    std::vector<Slot> m_slots;
    size_t m_mask = 0;
};
