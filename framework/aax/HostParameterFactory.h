#pragma once
// The host parameters of a plug-in: the master bypass and one host parameter
// per plug-in parameter, by the plug-in parameter's kind.

#include "framework/aax/AAX_CParameter.h"
#include "framework/core/IPlugParam.h"

#include <memory>

// "MasterBypassID", "Master Bypass": a bool with the texts "bypass" (off) and
// "on", 2 steps, discrete, automatable, off.
std::unique_ptr<AAX_CParameter<bool>> MakeMasterBypassParameter();

// The host parameter of param under id, at param's current value (param's
// default is the host default), automatable as param is:
// - choice (and the reserved kind 1): int over the truncated range, one text
//   per display text, as many steps as texts, discrete;
// - integer: int over the truncated range, shown as a number with two
//   decimals and the unit label, 128 steps, continuous;
// - double (and a parameter never initialised): double mapped through
//   param's own range and exponent, shown as a number with two decimals and
//   the unit label ("-23.00LUFS"), 128 steps, continuous.
// A double parameter's taper reads param at each call: param outlives it.
std::unique_ptr<AAX_IParameter> MakeHostParameter(const IPlugParam& param, const char* id);
