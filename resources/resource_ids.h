/* Resource identifiers shared by the resource script and the program. */
#ifndef BRUMELIS_RESOURCE_IDS_H
#define BRUMELIS_RESOURCE_IDS_H

/* The lowest icon identifier: the one the shell shows for the program. */
#define IDI_BRUMELIS 1
#define IDR_SLIDER_GRADIENT 101

#endif
