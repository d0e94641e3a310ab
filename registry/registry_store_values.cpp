// The values half of RegistryStore's reads: which values are held in memory
// and when they are read from the file.

#include "registry/registry_store.h"
#include "registry/store_transaction.h"

namespace brackwell::registry {
namespace {

// Keys whose values are held one by one; enough for the listed key, the keys
// a person moves between and a program's working set.
constexpr std::size_t kHeldKeys = 32;
// Keys read one by one within kBurstTime that make the next read take every
// value at once: more than a person taps, fewer than a walk reads in a moment.
constexpr std::size_t kBurstKeys = 256;
constexpr auto kBurstTime = std::chrono::milliseconds(500);
// A bulk read not used for this long is let go: the walk it served is over,
// and every value of the registry need not stay in memory for a person who
// goes on tapping keys.
constexpr auto kBulkIdleTime = std::chrono::seconds(2);

}  // namespace

ValueList* RegistryStore::HeldValues(std::int64_t keyId) {
    for (auto it = heldValues_.rbegin(); it != heldValues_.rend(); ++it) {
        if (it->first == keyId) return &it->second;
    }
    return nullptr;
}

void RegistryStore::HoldValues(std::int64_t keyId, ValueList list) {
    if (heldValues_.size() >= kHeldKeys) heldValues_.erase(heldValues_.begin());
    heldValues_.emplace_back(keyId, std::move(list));
}

void RegistryStore::DropBulkValues() {
    allValues_.reset();
    allFirst_ = {};
}

void RegistryStore::DropValues() {
    heldValues_.clear();
    DropBulkValues();
    burstReads_ = 0;
}

bool RegistryStore::ReadInBulk() {
    const auto now = std::chrono::steady_clock::now();
    if (burstReads_ == 0 || now - burstStart_ > kBurstTime) {
        burstReads_ = 0;
        burstStart_ = now;
    }
    return ++burstReads_ > kBurstKeys;
}

// A bulk read is dropped by every write of a value, so while it stands it
// agrees with the keys held one by one.
bool RegistryStore::HeldValuesOf(Slot slot, ValueSpan* values) {
    if (allValues_) {
        const auto now = std::chrono::steady_clock::now();
        if (now - bulkUsed_ > kBulkIdleTime) DropBulkValues();
        bulkUsed_ = now;
    }
    if (allValues_) {
        const std::size_t next = std::size_t{slot} + 1;
        *values = next < allFirst_.size() ? ValueSpan{allValues_, allFirst_[slot], allFirst_[next]}
                                          : ValueSpan{allValues_, 0, 0};
        return true;
    }
    if (ValueList* held = HeldValues(index_.node(slot).id)) {
        *values = held->Snapshot();
        return true;
    }
    return false;
}

LONG RegistryStore::ReadValues(Slot slot, ValueSpan* values) {
    const std::int64_t keyId = index_.node(slot).id;
    problem_.clear();
    auto block = std::make_shared<ValueBlock>();
    int rc;
    if (ReadInBulk()) {
        rc = tables_.LoadAllValues(index_, valueSizes_, block.get(), &allFirst_, &problem_);
        if (rc == SQLITE_OK) {
            allValues_ = std::move(block);
            bulkUsed_ = std::chrono::steady_clock::now();
        }
    } else {
        rc = tables_.LoadKeyValues(keyId, block.get(), &problem_);
        if (rc == SQLITE_OK) HoldValues(keyId, ValueList(std::move(block)));
    }
    if (rc == SQLITE_OK) HeldValuesOf(slot, values);
    return ErrorFromSqlite(rc);
}

// Values are read in a read transaction, under the shared lock, where no
// other process commits. Should one have committed since the key mirror was
// loaded, the mirror is loaded afresh within the same transaction and the
// values read again, so the two always come from one view of the file.
LONG RegistryStore::ValuesOf(Slot* slot, ValueSpan* values) {
    if (HeldValuesOf(*slot, values)) return ERROR_SUCCESS;
    const std::int64_t keyId = index_.node(*slot).id;
    const ReadTransaction transaction(*connection_);
    if (transaction.status() != SQLITE_OK) return ErrorFromSqlite(transaction.status());
    if (const LONG rc = ReadValues(*slot, values); rc != ERROR_SUCCESS) return rc;
    if (ChangeCounter() == counter_) return ERROR_SUCCESS;
    if (const LONG rc = Reload(); rc != ERROR_SUCCESS) return rc;
    *slot = index_.SlotOf(keyId);
    if (*slot == KeyIndex::kNoSlot) return ERROR_KEY_DELETED;
    return ReadValues(*slot, values);
}

}  // namespace brackwell::registry
