#pragma once

#include <QHashFunctions>
#include <QStringView>
#include <algorithm>
#include <bit>
#include <utility>
#include <vector>

// A small open-addressing hash index from text to a value, meant to be filled, read and reset
// many times in a row: the analyzer keeps one per kind of key and refills it folder by folder,
// so that it stays in the processor's cache and stops allocating once it has grown to the
// largest folder. The keys are views: the texts they show must outlive the index's current fill.
template <typename Value> class TextIndex
{
public:
    // Empties the index and makes room for `expected` keys.
    void reset(qsizetype expected)
    {
        m_slots.assign(capacityFor(expected), Slot {});
        m_mask = m_slots.size() - 1;
        m_count = 0;
    }

    // The value under `key`, or nullptr.
    Value* find(QStringView key) { return const_cast<Value*>(std::as_const(*this).find(key)); }
    const Value* find(QStringView key) const
    {
        if (m_slots.empty())
            return nullptr;
        const size_t hash = qHash(key, m_seed);
        for (size_t i = hash & m_mask;; i = (i + 1) & m_mask) {
            const Slot& slot = m_slots[i];
            if (!slot.used)
                return nullptr;
            if (slot.hash == hash && slot.key == key)
                return &slot.value;
        }
    }

    // The value under `key`, a default-constructed one when the key is new.
    Value& operator[](QStringView key)
    {
        if (2 * (m_count + 1) > m_slots.size())
            grow();
        const size_t hash = qHash(key, m_seed);
        for (size_t i = hash & m_mask;; i = (i + 1) & m_mask) {
            Slot& slot = m_slots[i];
            if (!slot.used) {
                slot = { key, hash, Value {}, true };
                ++m_count;
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

    // At most half full, so that probe sequences stay short and always end.
    static size_t capacityFor(qsizetype keys)
    {
        return std::bit_ceil(size_t(std::max<qsizetype>(8, 2 * keys)));
    }

    void grow()
    {
        std::vector<Slot> old(capacityFor(qsizetype(m_count + 1)) * 2);
        old.swap(m_slots);
        m_mask = m_slots.size() - 1;
        for (const Slot& slot : old) {
            if (!slot.used)
                continue;
            size_t i = slot.hash & m_mask;
            while (m_slots[i].used)
                i = (i + 1) & m_mask;
            m_slots[i] = slot;
        }
    }

    std::vector<Slot> m_slots;
    size_t m_mask = 0;
    size_t m_count = 0;
    // The process's random hash seed, so that crafted file names cannot be made to collide.
    size_t m_seed = QHashSeed::globalSeed();
};
