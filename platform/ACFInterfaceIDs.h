#pragma once
// The interface and class IDs of the host boundary, written as the text form
// of each ID so that they read as they are published.

#include "platform/ACFUID.h"

namespace acf_detail {

constexpr uint32_t HexDigit(char c)
{
    return c >= '0' && c <= '9'   ? static_cast<uint32_t>(c - '0')
           : c >= 'A' && c <= 'F' ? static_cast<uint32_t>(c - 'A' + 10)
           : c >= 'a' && c <= 'f' ? static_cast<uint32_t>(c - 'a' + 10)
                                  : throw "not a hexadecimal digit";  // compile-time only
}

constexpr uint32_t Hex(const char* text, int begin, int count)
{
    uint32_t v = 0;
    for (int i = 0; i < count; ++i)
        v = v * 16 + HexDigit(text[begin + i]);
    return v;
}

}  // namespace acf_detail

// "XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX" to its ID.
constexpr ACFUID MakeACFUID(const char (&text)[37])
{
    using acf_detail::Hex;
    if (text[8] != '-' || text[13] != '-' || text[18] != '-' || text[23] != '-')
        throw "malformed ID";  // compile-time only
    ACFUID id{Hex(text, 0, 8), static_cast<uint16_t>(Hex(text, 9, 4)), static_cast<uint16_t>(Hex(text, 14, 4)), {}};
    id.data4[0] = static_cast<uint8_t>(Hex(text, 19, 2));
    id.data4[1] = static_cast<uint8_t>(Hex(text, 21, 2));
    for (int i = 0; i < 6; ++i)
        id.data4[2 + i] = static_cast<uint8_t>(Hex(text, 24 + 2 * i, 2));
    return id;
}

// Answered by every object on both sides.
inline constexpr ACFUID kIID_ACFUnknown = MakeACFUID("00000000-0000-0000-C000-000000000046");

// Looked up on the host's collection at the end of registration; the answer is
// what the module hands the host as its plug-in definition.
inline constexpr ACFUID kIID_PluginDefinition = MakeACFUID("00EEF015-7FD0-11D6-8485-00306542A024");

// The host's object factory (AAX_IHostObjectFactory), on the host object.
inline constexpr ACFUID kIID_ObjectFactory = MakeACFUID("382B6A96-7FD0-11D6-BCFE-00306542A024");

// Answered by the module's host-visible objects.
inline constexpr ACFUID kIID_EffectParameters = MakeACFUID("964E333D-334C-533F-C2C7-3834C3C23E3E");
inline constexpr ACFUID kIID_EffectParameters2 = MakeACFUID("F1F47D06-308F-4CC5-9C7C-50A83F8AB813");
inline constexpr ACFUID kIID_EffectGUI = MakeACFUID("964E323D-424C-5E1A-2227-282423222E1E");

// Run-time interfaces of the host object handed to an effect or GUI object.
// The second interfaces are held but none of their operations is called,
// except the transport's.
inline constexpr ACFUID kIID_Controller = MakeACFUID("9D5E3E3D-52DC-5EFB-2018-DE1DE2E63F4E");
inline constexpr ACFUID kIID_Controller2 = MakeACFUID("4C59AA0E-D7C0-4205-8B6C-32468D42D202");
inline constexpr ACFUID kIID_AutomationDelegate = MakeACFUID("9D5E3D3D-42DC-5EFA-2217-EEE2E8E53E2E");
inline constexpr ACFUID kIID_Transport = MakeACFUID("5CEE4EF4-6337-4359-B63B-FE58DC36543A");
inline constexpr ACFUID kIID_Transport2 = MakeACFUID("203CBD9F-982C-4FE6-A827-07480257AEC3");
inline constexpr ACFUID kIID_ViewContainer = MakeACFUID("22DA0BBC-D550-4D5E-8CC6-734483B8837F");

// Description objects, made through the host's object factory: class ID,
// interface ID and, where there is one, the second interface looked up on the
// created object.
inline constexpr ACFUID kCLSID_Collection = MakeACFUID("89882C2D-77BC-42EF-707B-7981B7BD0CCA");
inline constexpr ACFUID kIID_Collection = MakeACFUID("96D42C2D-EBBC-41DF-B1AB-9991A2EE0CCA");
inline constexpr ACFUID kCLSID_EffectDescriptor = MakeACFUID("89872C2D-75BC-423F-401B-F9A1BAAD0CCA");
inline constexpr ACFUID kIID_EffectDescriptor = MakeACFUID("96D42C2D-EBBC-41EF-D1CB-499442E40FDA");
inline constexpr ACFUID kIID_EffectDescriptor2 = MakeACFUID("41ECCC52-416B-4072-84BD-40B05210A74C");
inline constexpr ACFUID kCLSID_ComponentDescriptor = MakeACFUID("94872C3D-95BC-413D-D0DB-D9B12AAD0CCA");
inline constexpr ACFUID kIID_ComponentDescriptor = MakeACFUID("96E42C2D-E2BC-51EF-61C7-48994AEB0CDA");
inline constexpr ACFUID kIID_ComponentDescriptor2 = MakeACFUID("1895259E-AAA9-4F0F-A985-149837B76F89");
inline constexpr ACFUID kCLSID_PropertyMap = MakeACFUID("A587AD3D-D53C-4ADC-D0DD-D9D12DDDDCDA");
inline constexpr ACFUID kIID_PropertyMap = MakeACFUID("96EE2C2D-EECC-5EFF-E2D7-E849E3E2EEEE");
inline constexpr ACFUID kIID_PropertyMap2 = MakeACFUID("7177DF80-7C9C-11E2-B92A-0800200C9A66");
inline constexpr ACFUID kCLSID_HostServices = MakeACFUID("88882C2D-EBBC-42EF-C0AB-8981B0BD0CCA");
inline constexpr ACFUID kIID_HostServices = MakeACFUID("96D42C2D-EBBC-41EF-B0AB-9991A0ED0CCA");
