#pragma once

#include "CorvendWallet/models/WireValueTable.hpp"

namespace corvend::model {

// A vulnerability marker recorded for the customer; `unknown` for one the kit does not know.
enum class Vulnerabilities {
    physicalDisability,
    lowMentalCapacity,
    gamblingAddiction,
    financeMismanagement,
    poorLiteracy,
    poorLanguageSkills,
    poorDigitalSkills,
    caringResponsibilities,
    fraudulentLocation,
    unknown
};

// Read only.
template <>
struct WireValues<Vulnerabilities> {
    static constexpr auto table =
        wireValueTable(Vulnerabilities::unknown, "UNKNOWN",
                       {{Vulnerabilities::physicalDisability, "PHYSICAL_DISABILITY"},
                        {Vulnerabilities::lowMentalCapacity, "LOW_MENTAL_CAPACITY"},
                        {Vulnerabilities::gamblingAddiction, "GAMBLING_ADDICTION"},
                        {Vulnerabilities::financeMismanagement, "FINANCE_MISMANAGEMENT"},
                        {Vulnerabilities::poorLiteracy, "POOR_LITERACY"},
                        {Vulnerabilities::poorLanguageSkills, "POOR_LANGUAGE_SKILLS"},
                        {Vulnerabilities::poorDigitalSkills, "POOR_DIGITAL_SKILLS"},
                        {Vulnerabilities::caringResponsibilities, "CARING_RESPONSIBILITIES"},
                        {Vulnerabilities::fraudulentLocation, "FRAUDULENT_LOCATION"}});
};

}  // namespace corvend::model
