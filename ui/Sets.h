// A small set of enumeration members, stored as a bit mask (member n is bit n).
// Form files and the property registry see it as its mask; code sees members.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <type_traits>

template <class E>
    requires std::is_enum_v<E>
class TSet {
public:
    constexpr TSet() = default;
    constexpr TSet(std::initializer_list<E> members)
    {
        for (const E member : members) {
            Include(member);
        }
    }

    static constexpr TSet FromBits(std::uint32_t bits)
    {
        TSet result;
        result.bits_ = bits;
        return result;
    }
    constexpr std::uint32_t Bits() const { return bits_; }

    constexpr bool Contains(E member) const { return (bits_ & Bit(member)) != 0; }
    constexpr bool Empty() const { return bits_ == 0; }
    constexpr TSet& Include(E member)
    {
        bits_ |= Bit(member);
        return *this;
    }
    constexpr TSet& Exclude(E member)
    {
        bits_ &= ~Bit(member);
        return *this;
    }

    friend constexpr TSet operator+(TSet a, TSet b) { return FromBits(a.bits_ | b.bits_); }
    friend constexpr TSet operator-(TSet a, TSet b) { return FromBits(a.bits_ & ~b.bits_); }
    friend constexpr TSet operator*(TSet a, TSet b) { return FromBits(a.bits_ & b.bits_); }
    friend constexpr bool operator==(TSet a, TSet b) = default;

private:
    static constexpr std::uint32_t Bit(E member) { return std::uint32_t{1} << static_cast<unsigned>(member); }

    std::uint32_t bits_ = 0;
};
