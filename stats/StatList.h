#pragma once

#include "league/TolvikExport.h"

class Statistic;
class StatNodePool;

// One link of a StatList. The list owns the node, never the item.
struct StatListNode {
    Statistic* item;
    StatListNode* prev;
    StatListNode* next;
};

// A doubly linked list of statistic lines with one cursor, kept in order by a comparison
// the caller supplies. The header record has the node's shape: its item is always null,
// its prev is the first node and its next the last node. While the list is empty the
// cursor rests on the header, so value() gives null.
//
// The list never destroys its items: delete_data, called for every item whose node is
// released, does nothing here. A derived list that owns its items overrides it; since a
// destructor only reaches its own class's version, such a list empties itself (remove)
// in its own destructor.
class TOLVIK_EXPORT StatList {
  public:
    // Called on the inserted item with (existing item, inserted item); positive when the
    // existing item belongs after the inserted one.
    using InsertCompare = int (Statistic::*)(Statistic*, Statistic*);
    // Called with (item, key); positive when the item lies beyond the key, 0 on a match.
    using LocateCompare = int (*)(void*, void*);

    StatList();
    explicit StatList(Statistic* item);
    // A list whose header and nodes come from the pool, which must outlive the list.
    explicit StatList(StatNodePool* pool);
    ~StatList();
    StatList(const StatList&) = delete;
    StatList& operator=(const StatList&) = delete;

    void insert(Statistic* item, InsertCompare compare);
    // 1 with the cursor on the match, 0 when no item matches the key.
    int locate(void* key, LocateCompare compare);
    void reset();
    void reset_end();
    int next();
    int prev();
    int end();
    bool empty();
    Statistic* value();
    // 0 when the node under the cursor was removed, 1 when there was none.
    int remove();

    virtual void delete_data(void* item);

  private:
    friend class StatTable;
    // Takes over a chain of pool nodes, already linked first to last, into an empty list
    // made with the same pool, and puts the cursor on the given node of it.
    void Adopt(StatListNode* first, StatListNode* last, StatListNode* cursorNode);

    StatListNode* NewNode(Statistic* item);
    void FreeNode(StatListNode* node);
    StatListNode* First() const { return head_->prev; }
    StatListNode* Last() const { return head_->next; }

    StatListNode* head_;   // prev = first node, next = last node, item = null
    StatListNode* cursor_; // a node of the list, or head while the list is empty
    StatNodePool* pool_ = nullptr;
};
