#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# A FIFO (git keeps none): refused as the input file without waiting for a
# writer, and refused as the output file while it has no reader.
mkfifo fifo
