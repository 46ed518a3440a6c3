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

StatList::StatList() : head_(HeapNode()), cursor_(head_) {}

StatList::StatList(Statistic* item) : StatList() {
    StatListNode* node = NewNode(item);
    head_->prev = node;
    head_->next = node;
    cursor_ = node;
}

StatList::StatList(StatNodePool* pool) : head_(nullptr), cursor_(nullptr), pool_(pool) {
    head_ = pool_ ? pool_->Allocate() : HeapNode();
    cursor_ = head_;
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
    FreeNode(head_);
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
    head_->prev = first;
    head_->next = last;
    cursor_ = cursorNode ? cursorNode : (first ? first : head_);
}

void StatList::insert(Statistic* item, InsertCompare compare) {
    StatListNode* node = NewNode(item);
    if (empty()) {
        head_->prev = node;
        head_->next = node;
        cursor_ = node;
        return;
    }
    // Ahead of the first item: the cursor stays where it was.
    if ((item->*compare)(First()->item, item) > 0) {
        node->next = First();
        First()->prev = node;
        head_->prev = node;
        return;
    }
    // Not before the last item: append.
    if ((item->*compare)(Last()->item, item) <= 0) {
        node->prev = Last();
        Last()->next = node;
        head_->next = node;
        cursor_ = node;
        return;
    }
    // Somewhere in between: walk from the front to the first item that belongs after the
    // new one. The last item does, so the walk always stops on a node.
    reset();
    while ((item->*compare)(cursor_->item, item) <= 0)
        cursor_ = cursor_->next;
    node->prev = cursor_->prev;
    node->next = cursor_;
    cursor_->prev->next = node;
    cursor_->prev = node;
}

int StatList::locate(void* key, LocateCompare compare) {
    if (empty())
        return 0;
    int result = compare(First()->item, key);
    if (result >= 0) {
        cursor_ = First();
        return result == 0 ? 1 : 0;
    }
    result = compare(Last()->item, key);
    if (result <= 0) {
        cursor_ = Last();
        return result == 0 ? 1 : 0;
    }
    reset();
    for (;;) {
        result = compare(cursor_->item, key);
        if (result == 0)
            return 1;
        if (!cursor_->next)
            return 0;
        cursor_ = cursor_->next;
        // The cursor rests on the node after the first item beyond the key.
        if (result > 0)
            return 0;
    }
}

void StatList::reset() {
    if (!empty())
        cursor_ = First();
}

void StatList::reset_end() {
    if (!empty())
        cursor_ = Last();
}

int StatList::next() {
    // On the header (empty list) next is the last node, which is null.
    if (cursor_ == head_ || !cursor_->next)
        return 0;
    cursor_ = cursor_->next;
    return 1;
}

int StatList::prev() {
    if (empty() || cursor_ == First())
        return 0;
    cursor_ = cursor_->prev;
    return 1;
}

int StatList::end() {
    return cursor_ == head_ || !cursor_->next ? 1 : 0;
}

bool StatList::empty() {
    return First() == nullptr && Last() == nullptr;
}

Statistic* StatList::value() {
    return cursor_->item;
}

int StatList::remove() {
    if (empty())
        return 1;
    StatListNode* node = cursor_;
    if (node == First()) {
        head_->prev = node->next;
        if (node->next)
            node->next->prev = nullptr;
        else
            head_->next = nullptr; // it was the only node
        cursor_ = head_->prev ? head_->prev : head_;
    } else if (node == Last()) {
        head_->next = node->prev;
        node->prev->next = nullptr;
        cursor_ = node->prev;
    } else {
        node->prev->next = node->next;
        node->next->prev = node->prev;
        cursor_ = node->next;
    }
    delete_data(node->item);
    FreeNode(node);
    return 0;
}

void StatList::delete_data(void*) {}
