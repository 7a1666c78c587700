#pragma once
// Result codes at the host boundary: 0 for success, negative for failures.

#include <cstdint>

inline constexpr int32_t kAAXResultSuccess = 0;
inline constexpr int32_t kAAXResultInvalidParameterID = -20001;  // no parameter with that ID
inline constexpr int32_t kAAXResultInvalidText = -20002;         // a value text not parsed or formatted
inline constexpr int32_t kAAXResultMissingInterface = -20004;    // a needed host interface is missing
inline constexpr int32_t kAAXResultInvalidChunkIndex = -20006;
inline constexpr int32_t kAAXResultInvalidChunkID = -20007;      // or state not available
inline constexpr int32_t kAAXResultWrongDataSize = -20008;       // chunk data or a field block of the wrong size
inline constexpr int32_t kAAXResultNotImplemented = -20009;
inline constexpr int32_t kAAXResultNoController = -20011;        // a GUI object attached without a controller
inline constexpr int32_t kAAXResultStepCountTooLarge = -20033;
inline constexpr int32_t kAAXResultChunkOverflow = -333;

// Codes of the lookup layer and the module entry points.
inline constexpr int32_t kACFResultNoInterface = static_cast<int32_t>(0x80000004u);
inline constexpr int32_t kACFResultNullPointer = static_cast<int32_t>(0x80000005u);  // a null out pointer
inline constexpr int32_t kACFResultUnexpected = static_cast<int32_t>(0x8000FFFFu);   // an exception was caught
