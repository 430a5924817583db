// The SDK's growable array, kept as a thin layer over std::vector.
#pragma once
#include <algorithm>
#include <vector>

template <class T> class AcArray {
public:
    AcArray() = default;
    explicit AcArray(int physicalLength) {
        items_.reserve(physicalLength > 0 ? physicalLength : 0);
    }

    int length() const { return static_cast<int>(items_.size()); }
    int logicalLength() const { return length(); }
    bool isEmpty() const { return items_.empty(); }

    T& operator[](int i) { return items_[static_cast<size_t>(i)]; }
    const T& operator[](int i) const { return items_[static_cast<size_t>(i)]; }
    T& at(int i) { return items_.at(static_cast<size_t>(i)); }
    const T& at(int i) const { return items_.at(static_cast<size_t>(i)); }
    T& first() { return items_.front(); }
    T& last() { return items_.back(); }
    const T& first() const { return items_.front(); }
    const T& last() const { return items_.back(); }

    // Appends and returns the new element's index.
    int append(const T& value) {
        items_.push_back(value);
        return length() - 1;
    }
    AcArray& append(const AcArray& other) {
        items_.insert(items_.end(), other.items_.begin(), other.items_.end());
        return *this;
    }
    // Inserts in front of position `index`; elements from there on move one place back.
    AcArray& insertAt(int index, const T& value) {
        items_.insert(items_.begin() + index, value);
        return *this;
    }
    AcArray& removeAt(int index) {
        items_.erase(items_.begin() + index);
        return *this;
    }
    AcArray& removeLast() {
        items_.pop_back();
        return *this;
    }
    AcArray& removeAll() {
        items_.clear();
        return *this;
    }
    AcArray& setLogicalLength(int n) {
        items_.resize(static_cast<size_t>(n));
        return *this;
    }
    bool contains(const T& value, int start = 0) const { return indexOf(value, start) >= 0; }
    // Index of the first element equal to `value` at or after `start`, or -1.
    int find(const T& value) const { return indexOf(value, 0); }
    bool find(const T& value, int& foundAt, int start = 0) const {
        foundAt = indexOf(value, start);
        return foundAt >= 0;
    }

    const T* asArrayPtr() const { return items_.data(); }
    T* asArrayPtr() { return items_.data(); }
    auto begin() { return items_.begin(); }
    auto end() { return items_.end(); }
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }
    const std::vector<T>& toStdVector() const { return items_; }
    void reserve(int n) { items_.reserve(static_cast<size_t>(n)); }

    bool operator==(const AcArray& other) const = default;

private:
    int indexOf(const T& value, int start) const {
        for (int i = start < 0 ? 0 : start; i < length(); ++i) {
            if (items_[static_cast<size_t>(i)] == value) {
                return i;
            }
        }
        return -1;
    }

    std::vector<T> items_;
};
