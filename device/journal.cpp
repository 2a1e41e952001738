// The journal of device requests that have no visible effect: a fixed ring of
// the newest DEV_JOURNAL_CAPACITY requests, so tests can assert what the unit
// asked for.
#include "device/journal_record.h"

// ---- Module state ---------------------------------------------------------

namespace {

DevRequest ring[DEV_JOURNAL_CAPACITY];
int oldest = 0;  // ring index of the oldest kept request
int kept = 0;    // requests kept, at most DEV_JOURNAL_CAPACITY
long total = 0;  // requests recorded since the last clear

constexpr DevRequest NO_REQUEST{};

}  // namespace

// ---- Public operations ----------------------------------------------------

// Appends a request, dropping the oldest when the journal is full.
void devJournalRecord(DevOp op, int32_t a, int32_t b, float x) {
    ring[(oldest + kept) % DEV_JOURNAL_CAPACITY] = {op, a, b, x};
    if (kept < DEV_JOURNAL_CAPACITY)
        ++kept;
    else
        oldest = (oldest + 1) % DEV_JOURNAL_CAPACITY;
    ++total;
}

// Requests kept, at most DEV_JOURNAL_CAPACITY.
int devJournalSize() { return kept; }

// The i-th kept request, oldest first; an index outside the kept ones gives an
// empty request rather than reading past the ring.
const DevRequest& devJournalAt(int i) {
    if (i < 0 || i >= kept) return NO_REQUEST;
    return ring[(oldest + i) % DEV_JOURNAL_CAPACITY];
}

// Every request recorded since the last clear, dropped ones included.
long devJournalTotal() { return total; }

// How many of the kept requests are op.
int devJournalCount(DevOp op) {
    int n = 0;
    for (int i = 0; i < kept; ++i) n += devJournalAt(i).op == op;
    return n;
}

// Forgets every request.
void devJournalClear() {
    oldest = 0;
    kept = 0;
    total = 0;
}
