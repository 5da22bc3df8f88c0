/* Resource identifiers of Kalvoro XP, shared by the C++ code and kalvoro.rc.
   Plain defines only: windres and rc.exe read this file too. */
#ifndef KALVORO_RESOURCE_IDS_H
#define KALVORO_RESOURCE_IDS_H

#define IDR_MANIFEST 1 /* application manifest (RT_MANIFEST) */
#define IDI_KALVORO 1  /* program icon: clock over a calendar page */
#define IDR_FOND 2     /* main window background picture, GIF, as RCDATA */

#endif
