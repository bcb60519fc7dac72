// The maker's lines: the copyright notice and web address shown in the About box and written
// at the top of every generated C source.
#pragma once

namespace zemtra {

inline constexpr char16_t kMakerCopyright[] = u"Copyright (C) 2026 The Zemtra developers";
inline constexpr char16_t kMakerWebAddress[] = u"https://zemtra.org";
inline constexpr char16_t kMakerWebName[] = u"zemtra.org";

}  // namespace zemtra
