#!/bin/sh
# A FIFO (git keeps none): refused as the input file without waiting for a
# writer, and refused as the output file while it has no reader.
mkfifo fifo
