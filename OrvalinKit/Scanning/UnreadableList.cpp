#include "UnreadableList.h"

void UnreadableList::add(UnreadableItem item)
{
    ++total;
    if (items.size() < kept)
        items.append(std::move(item));
}
