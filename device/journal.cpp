// The journal of device requests that have no visible effect: a fixed ring of
// the newest DEV_JOURNAL_CAPACITY requests, so tests can assert what the unit
// asked for.
#include "device/journal_record.h"

// ---- Constants ------------------------------------------------------------

namespace {

constexpr DevRequest NO_REQUEST{};

// ---- Types ----------------------------------------------------------------

struct Journal {
    DevRequest ring[DEV_JOURNAL_CAPACITY];
    int oldest;  // ring index of the oldest kept request
    int kept;    // requests kept, at most DEV_JOURNAL_CAPACITY
    long total;  // requests recorded since the last clear
};

// ---- Module state ---------------------------------------------------------

Journal journal = {};

}  // namespace

// ---- Public operations ----------------------------------------------------

// Appends a request, dropping the oldest when the journal is full.
void devJournalRecord(DevOp op, int32_t a, int32_t b, float x) {
    Journal& j = journal;
    j.ring[(j.oldest + j.kept) % DEV_JOURNAL_CAPACITY] = {op, a, b, x};
    if (j.kept < DEV_JOURNAL_CAPACITY)
        ++j.kept;
    else
        j.oldest = (j.oldest + 1) % DEV_JOURNAL_CAPACITY;
    ++j.total;
}

// Requests kept, at most DEV_JOURNAL_CAPACITY.
int devJournalSize() { return journal.kept; }

// The i-th kept request, oldest first; an index outside the kept ones gives an
// empty request rather than reading past the ring.
const DevRequest& devJournalAt(int i) {
    if (i < 0 || i >= journal.kept) return NO_REQUEST;
    return journal.ring[(journal.oldest + i) % DEV_JOURNAL_CAPACITY];
}

// Every request recorded since the last clear, dropped ones included.
long devJournalTotal() { return journal.total; }

// Forgets every request.
void devJournalClear() { journal = {}; }
