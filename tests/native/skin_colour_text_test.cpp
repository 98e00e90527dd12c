// Colours written as text in skin descriptions: three decimal numbers for
// red, green and blue, whatever stands between them.
#include "skin/model/ColourMath.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr TColor Default = 0xFF000012;

TEST(ParseColour, AnySeparatorBetweenThreeNumbersGivesRedGreenBlue)
{
    EXPECT_EQ(ParseColour("224 223 227", Default), 0x00E3DFE0u);
    EXPECT_EQ(ParseColour("224,223,227", Default), 0x00E3DFE0u);
    EXPECT_EQ(ParseColour("(224;223;227)", Default), 0x00E3DFE0u);
    EXPECT_EQ(ParseColour("12a34b56", Default), 0x0038220Cu);
    // A minus sign is only a separator.
    EXPECT_EQ(ParseColour("-5 6 7", Default), 0x00070605u);
    // Blanks and control characters around the text are trimmed.
    EXPECT_EQ(ParseColour("\t 224 223 227 \r\n", Default), 0x00E3DFE0u);
}

TEST(ParseColour, EmptyTextKeepsTheDefaultButTextWithoutDigitsIsBlack)
{
    EXPECT_EQ(ParseColour("", Default), Default);
    EXPECT_EQ(ParseColour("", 0x00FFFFFF), 0x00FFFFFFu);
    EXPECT_EQ(ParseColour("none", Default), 0x00000000u);
    // Not empty before trimming, so no default either.
    EXPECT_EQ(ParseColour("   ", Default), 0x00000000u);
}

TEST(ParseColour, MissingNumbersAreZeroAndExtraNumbersIgnored)
{
    EXPECT_EQ(ParseColour("1,2,3,4,5,", Default), 0x00030201u);
    EXPECT_EQ(ParseColour("(7)", Default), 0x00000007u);
    EXPECT_EQ(ParseColour("10,20,", Default), 0x0000140Au);
}

TEST(ParseColour, ANumberEndingTheTextCountsOnlyAsTheThird)
{
    // Two numbers before it: it is the blue one.
    EXPECT_EQ(ParseColour("10 20 30", Default), 0x001E140Au);
    // One number before it: dropped, so green stays 0.
    EXPECT_EQ(ParseColour("10 20", Default), 0x0000000Au);
    // Trailing blanks are trimmed first, so they do not end the run.
    EXPECT_EQ(ParseColour("10 20 ", Default), 0x0000000Au);
    EXPECT_EQ(ParseColour("7", Default), 0x00000000u);
    // Three stored before it: ignored like any fourth number.
    EXPECT_EQ(ParseColour("1 2 3 4", Default), 0x00030201u);
}

TEST(ParseColour, NumbersAreTakenModulo256WhateverTheirLength)
{
    EXPECT_EQ(ParseColour("300 400 500", Default), 0x00F4902Cu);
    EXPECT_EQ(ParseColour("256 512 768", Default), 0x00000000u);
    // 2^32 + 1 and a twenty-digit number: no overflow decides the result.
    EXPECT_EQ(ParseColour("4294967297 99999999999999999999 0", Default), 0x0000FF01u);
    EXPECT_EQ(ParseColour(std::string(4000, '9') + " 1 2", Default), 0x000201FFu);
}

} // namespace
