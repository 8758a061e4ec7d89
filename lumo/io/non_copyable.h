#pragma once

namespace lumo {

// Root of the toolkit's class tree: polymorphic, never copied.
class CNonCopyable {
public:
    CNonCopyable() = default;
    virtual ~CNonCopyable() = default;
    CNonCopyable(const CNonCopyable&) = delete;
    CNonCopyable& operator=(const CNonCopyable&) = delete;
};

}  // namespace lumo
