// How a piece of long work left it: going on, waiting on a question the
// window asks, or over.
#ifndef SKERROW_DOCUMENT_WORKSTEP_H
#define SKERROW_DOCUMENT_WORKSTEP_H

enum WorkStep { WORK_GOING, WORK_ASKS, WORK_OVER };

#endif
