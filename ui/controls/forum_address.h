// The forum home page that the forum button and the about window's link open.
#pragma once

// A reserved address until the product has a home page of its own. It must stay shorter than
// CButtonST::kMaxLink characters (the buttons refuse longer links), and the about window shows
// it on one line of its 150-pixel link only up to about 25 characters.
inline constexpr wchar_t kForumHomePage[] = L"https://bundor.example/";
