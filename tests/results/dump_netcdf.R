# SPDX-License-Identifier: GPL-3.0-or-later
# arborix.nc through R's ncdf4, as lines "variable,year,series,value" for
# compare_netcdf_dump.py.
suppressMessages(library(ncdf4))
nc <- nc_open(commandArgs(trailingOnly = TRUE)[1])
stopifnot(ncatt_get(nc, 0, "featureType")$value == "timeSeries")
years <- ncvar_get(nc, "year")
ids <- seq_len(nc$dim$station$len)
text <- function(v) ifelse(is.na(v), "NA", formatC(v, digits = 9, format = "g"))
for (name in names(nc$var)) {
  v <- nc$var[[name]]
  dims <- sapply(v$dim, function(d) d$name)
  if (identical(dims, "time") && grepl("_(average|sample_depth)$", name)) {
    cat(paste0(name, ",", years, ",,", text(ncvar_get(nc, name))), sep = "\n")
  } else if (identical(dims, c("station", "time"))) {
    # ncdf4 gives the dimensions fastest first: [station, time].
    values <- ncvar_get(nc, name, collapse_degen = FALSE)
    for (t in seq_along(years))
      cat(paste0(name, ",", years[t], ",", ids, ",", text(values[, t])), sep = "\n")
  }
}
nc_close(nc)
