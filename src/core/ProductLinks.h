// The product's addresses on the web, in one place: the web site with its download page, the
// contact e-mail address at the site's domain and the messenger chat with the contact number.
#pragma once

inline constexpr char16_t ProductWebSite[] = u"https://www.quorvane.com";
inline constexpr char16_t ProductDownloadPage[] = u"https://www.quorvane.com/download.htm";
inline constexpr char16_t ProductEmail[] = u"support@quorvane.com";
inline constexpr char16_t ProductMessengerNumber[] = u"800046271";
inline constexpr char16_t ProductMessengerChat[] =
    u"https://wpa.qq.com/msgrd?v=3&uin=800046271&site=qq&menu=yes";
