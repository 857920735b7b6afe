/* Prints Debian's GeoNames city list (libgeonames) as tab-separated lines:
 * id, name, state, country code, country, population, latitude, longitude,
 * zone.  tools/gen_places.py reads it for the coordinates, zones and
 * populations of the cities abroad it names in Chinese.
 *   cc tools/geonames_cities.c $(pkg-config --cflags --libs geonames) */
#include <geonames.h>
#include <stdio.h>

int main(void) {
    const gint n = geonames_get_n_cities();
    for (gint i = 0; i < n; i++) {
        GeonamesCity *city = geonames_get_city(i);
        if (!city) continue;
        const gchar *id, *name, *stateCode, *state, *countryCode, *country, *zone;
        guint population;
        gdouble latitude, longitude;
        g_variant_get(city, "(&s&s&s&s&s&s&sudd)", &id, &name, &stateCode, &state, &countryCode,
                      &country, &zone, &population, &latitude, &longitude);
        printf("%s\t%s\t%s\t%s\t%s\t%u\t%.4f\t%.4f\t%s\n", id, name, state, countryCode, country,
               population, latitude, longitude, zone);
        geonames_city_free(city);
    }
    return 0;
}
