#pragma once
// Enumerations shared by the library's services.

#include <cstdint>

namespace trackquery {

// Space modes of LoadResText.
enum ResSpaceMode : int32_t {
    // The outer spaces of the source text are kept, nothing is added.
    kResSpaceKeep = 0,
    // Under English, a translation without a leading space gets one, so that it reads apart
    // from the text it follows.
    kResSpaceLeadInEnglish = 1,
};

// Failure marks of LogProcEnd.
enum LogProcResult : int32_t {
    kLogNormal = 0,
    kLogFailed = 1,
};

}  // namespace trackquery
