# A print job that carries its own page count, sent with ipptool (see lib.sh: ipp_print).
{
  NAME "Print a counted job"
  OPERATION Print-Job
  GROUP operation-attributes-tag
  ATTR charset attributes-charset utf-8
  ATTR naturalLanguage attributes-natural-language en
  ATTR uri printer-uri $uri
  ATTR name requesting-user-name $user
  ATTR name job-name $title
  ATTR integer job-impressions $pages
  GROUP job-attributes-tag
  ATTR enum print-quality 5
  FILE $file
  STATUS successful-ok
}
