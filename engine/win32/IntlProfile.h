// Connects the time and date formatting to the system's regional settings.
#pragma once

void InstallIntlProfile();
