#include "stats/StatList.h"

#include "stats/StatNodePool.h"

#include <memory>

namespace {

StatListNode* HeapNode() {
    std::allocator<StatListNode> alloc;
    StatListNode* node = alloc.allocate(1);
    return std::construct_at(node, StatListNode{nullptr, nullptr, nullptr});
}

void FreeHeapNode(StatListNode* node) {
    std::allocator<StatListNode> alloc;
    std::destroy_at(node);
    alloc.deallocate(node, 1);
}

} // namespace

StatList::StatList() : head(HeapNode()), cursor(head) {}

StatList::StatList(Statistic* item) : StatList() {
    StatListNode* node = NewNode(item);
    head->prev = node;
    head->next = node;
    cursor = node;
}

StatList::StatList(StatNodePool* pool) : head(nullptr), cursor(nullptr), pool_(pool) {
    head = pool_ ? pool_->Allocate() : HeapNode();
    cursor = head;
}

StatList::~StatList() {
    // A discarded pool takes every node with it. Nothing is lost by not walking: in a
    // destructor delete_data is always this class's own, which does nothing.
    if (pool_ && pool_->Discarding())
        return;
    StatListNode* node = First();
    while (node) {
        StatListNode* following = node->next;
        delete_data(node->item);
        FreeNode(node);
        node = following;
    }
    FreeNode(head);
}

StatListNode* StatList::NewNode(Statistic* item) {
    StatListNode* node = pool_ ? pool_->Allocate() : HeapNode();
    node->item = item;
    return node;
}

void StatList::FreeNode(StatListNode* node) {
    if (pool_)
        pool_->Release(node);
    else
        FreeHeapNode(node);
}

void StatList::Adopt(StatListNode* first, StatListNode* last, StatListNode* cursorNode) {
    head->prev = first;
    head->next = last;
    cursor = cursorNode ? cursorNode : (first ? first : head);
}

void StatList::insert(Statistic* item, InsertCompare compare) {
    StatListNode* node = NewNode(item);
    if (empty()) {
        head->prev = node;
        head->next = node;
        cursor = node;
        return;
    }
    // Ahead of the first item: the cursor stays where it was.
    if ((item->*compare)(First()->item, item) > 0) {
        node->next = First();
        First()->prev = node;
        head->prev = node;
        return;
    }
    // Not before the last item: append.
    if ((item->*compare)(Last()->item, item) <= 0) {
        node->prev = Last();
        Last()->next = node;
        head->next = node;
        cursor = node;
        return;
    }
    // Somewhere in between: walk from the front to the first item that belongs after the
    // new one. The last item does, so the walk always stops on a node.
    reset();
    while ((item->*compare)(cursor->item, item) <= 0)
        cursor = cursor->next;
    node->prev = cursor->prev;
    node->next = cursor;
    cursor->prev->next = node;
    cursor->prev = node;
}

int StatList::locate(void* key, LocateCompare compare) {
    if (empty())
        return 0;
    int result = compare(First()->item, key);
    if (result >= 0) {
        cursor = First();
        return result == 0 ? 1 : 0;
    }
    result = compare(Last()->item, key);
    if (result <= 0) {
        cursor = Last();
        return result == 0 ? 1 : 0;
    }
    reset();
    for (;;) {
        result = compare(cursor->item, key);
        if (result == 0)
            return 1;
        if (!cursor->next)
            return 0;
        cursor = cursor->next;
        // The cursor rests on the node after the first item beyond the key.
        if (result > 0)
            return 0;
    }
}

void StatList::reset() {
    if (!empty())
        cursor = First();
}

void StatList::reset_end() {
    if (!empty())
        cursor = Last();
}

int StatList::next() {
    // On the header (empty list) next is the last node, which is null.
    if (cursor == head || !cursor->next)
        return 0;
    cursor = cursor->next;
    return 1;
}

int StatList::prev() {
    if (empty() || cursor == First())
        return 0;
    cursor = cursor->prev;
    return 1;
}

int StatList::end() {
    return cursor == head || !cursor->next ? 1 : 0;
}

bool StatList::empty() {
    return First() == nullptr && Last() == nullptr;
}

Statistic* StatList::value() {
    return cursor->item;
}

int StatList::remove() {
    if (empty())
        return 1;
    StatListNode* node = cursor;
    if (node == First()) {
        head->prev = node->next;
        if (node->next)
            node->next->prev = nullptr;
        else
            head->next = nullptr; // it was the only node
        cursor = head->prev ? head->prev : head;
    } else if (node == Last()) {
        head->next = node->prev;
        node->prev->next = nullptr;
        cursor = node->prev;
    } else {
        node->prev->next = node->next;
        node->next->prev = node->prev;
        cursor = node->next;
    }
    delete_data(node->item);
    FreeNode(node);
    return 0;
}

void StatList::delete_data(void*) {}
