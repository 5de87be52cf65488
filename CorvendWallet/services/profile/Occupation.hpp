#pragma once

#include "CorvendWallet/models/WireValueTable.hpp"

namespace corvend::model {

// The customer's occupation; `unknown` for one the kit does not know.
enum class Occupation {
    architectureCartographySurveyor,
    lifePhysicalAndSocialSciences,
    communityAndSocialServices,
    newsAndReportingServices,
    healthcareServices,
    lawEnforcementAndPublicSafety,
    foodAndBeverageIndustry,
    domesticServices,
    personalCareProfessionalServices,
    salesAndRelatedOccupations,
    officeAdministrationAndSupport,
    farmingFishingAndForestryServices,
    constructionAndRelatedServices,
    manufacturingServices,
    transportationServices,
    entertainmentMedia,
    unemployed,
    student,
    pensioner,
    sportsIndustry,
    bettingIndustry,
    artAndDesign,
    educationAndEducationalServices,
    engineering,
    financialAndInsuranceServices,
    itSoftwareHardwareAndWebsiteDevelopment,
    legalAndComplianceServices,
    managementConsulting,
    weaponIndustry,
    charityAndNonProfitServices,
    freelancerSelfEmployed,
    publicSector,
    unknown
};

// Read only. The service spells the education row "SURVICES"; the same words ending in
// "SERVICES" are not its string and read as `unknown`.
template <>
struct WireValues<Occupation> {
    static constexpr auto table = wireValueTable(
        Occupation::unknown, "UNKNOWN",
        {{Occupation::architectureCartographySurveyor, "ARCHITECTURE_CARTOGRAPHY_SURVEYOR"},
         {Occupation::lifePhysicalAndSocialSciences, "LIFE_PHYSICAL_AND_SOCIAL_SCIENCES"},
         {Occupation::communityAndSocialServices, "COMMUNITY_AND_SOCIAL_SERVICES"},
         {Occupation::newsAndReportingServices, "NEWS_AND_REPORTING_SERVICES"},
         {Occupation::healthcareServices, "HEALTHCARE_SERVICES"},
         {Occupation::lawEnforcementAndPublicSafety, "LAW_ENFORCEMENT_AND_PUBLIC_SAFETY"},
         {Occupation::foodAndBeverageIndustry, "FOOD_AND_BEVERAGE_INDUSTRY"},
         {Occupation::domesticServices, "DOMESTIC_SERVICES"},
         {Occupation::personalCareProfessionalServices, "PERSONAL_CARE_PROFESSIONAL_SERVICES"},
         {Occupation::salesAndRelatedOccupations, "SALES_AND_RELATED_OCCUPATIONS"},
         {Occupation::officeAdministrationAndSupport, "OFFICE_ADMINISTRATION_AND_SUPPORT"},
         {Occupation::farmingFishingAndForestryServices, "FARMING_FISHING_AND_FORESTRY_SERVICES"},
         {Occupation::constructionAndRelatedServices, "CONSTRUCTION_AND_RELATED_SERVICES"},
         {Occupation::manufacturingServices, "MANUFACTURING_SERVICES"},
         {Occupation::transportationServices, "TRANSPORTATION_SERVICES"},
         {Occupation::entertainmentMedia, "ENTERTAINMENT_MEDIA"},
         {Occupation::unemployed, "UNEMPLOYED"},
         {Occupation::student, "STUDENT"},
         {Occupation::pensioner, "PENSIONER"},
         {Occupation::sportsIndustry, "SPORTS_INDUSTRY"},
         {Occupation::bettingIndustry, "BETTING_INDUSTRY"},
         {Occupation::artAndDesign, "ART_AND_DESIGN"},
         {Occupation::educationAndEducationalServices, "EDUCATION_AND_EDUCATIONAL_SURVICES"},
         {Occupation::engineering, "ENGINEERING"},
         {Occupation::financialAndInsuranceServices, "FINANCIAL_AND_INSURANCE_SERVICES"},
         {Occupation::itSoftwareHardwareAndWebsiteDevelopment,
          "IT_SOFTWARE_HARDWARE_AND_WEBSITE_DEVELOPMENT"},
         {Occupation::legalAndComplianceServices, "LEGAL_AND_COMPLIANCE_SERVICES"},
         {Occupation::managementConsulting, "MANAGEMENT_CONSULTING"},
         {Occupation::weaponIndustry, "WEAPON_INDUSTRY"},
         {Occupation::charityAndNonProfitServices, "CHARITY_AND_NON_PROFIT_SERVICES"},
         {Occupation::freelancerSelfEmployed, "FREELANCER_SELF_EMPLOYED"},
         {Occupation::publicSector, "PUBLIC_SECTOR"}});
};

}  // namespace corvend::model
