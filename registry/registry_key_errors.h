// The sources and descriptions of RegistryKey's error reports, word for word.
#pragma once

#include "base/core_types.h"

namespace brumelis::registry_key_errors {

inline const Text kCloseKeySource = u"RegistryKey.CloseKey";
inline const Text kCloseKeyDescription = u"An error occurred while closing the registy key";

inline const Text kValueLengthSource = u"RegistryKey.GetRegistryValueLen";
inline Text ValueLengthDescription(const Text& name) {
    return u"An error occurred while getting the length of the registy value '" + name + u"'";
}

inline const Text kGetValueSource = u"RegistryKey.Get Value";
inline Text GetValueLengthDescription(const Text& name) {
    return u"Unable to get the length of the registy value '" + name + u"'";
}
inline Text GetValueDescription(const Text& name) {
    return u"An error occurred while getting the registy value '" + name + u"'";
}

inline const Text kGetValuesSource = u"RegistryKey.GetValues";
inline const Text kGetValuesDescription = u"Unable to retrieve value names for registry key";

// Sources of the name counters' overflow.
inline const Text kValueNamesSource = u"RegistryKey.ValueNames";
inline const Text kSubKeyNamesSource = u"RegistryKey.SubKeyNames";
inline const Text kSubValueNamesSource = u"RegistryKey.SubValueNames";

inline const Text kDeleteKeySource = u"RegistryKey.DeleteKey";
inline Text DeleteKeyDescription(const Text& subkey) {
    return u"Unable to delete registry key '" + subkey + u"'";
}

inline const Text kDeleteSubKeySource = u"RegistryKey.DeleteSubKey";
inline Text DeleteSubKeyDescription(const Text& subkey) {
    return u"Unable to delete registry subkey '" + subkey + u"'";
}

inline const Text kDeleteValueSource = u"RegistryKey.DeleteValue";
inline Text DeleteValueDescription(const Text& name) {
    return u"Unable to delete registry value '" + name + u"'";
}

}  // namespace brumelis::registry_key_errors
